// The date picker takes a date typed the way a date is written: after a single click the
// digits typed go into the part clicked and run on into the parts after it, with or
// without separators; a click beside the date starts at the day.
#include "toolkit/datepicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace zelk;

class TestDatepicker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneClickThenTypingGivesTheDateMeant_data()
    {
        QTest::addColumn<int>("place"); // where the click lands: 1 day, 4 month, 7 year, -1 beside the date
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        QTest::newRow("digits only") << 1 << "15032026" << QDate(2026, 3, 15);
        QTest::newRow("dashes") << 1 << "15-03-2026" << QDate(2026, 3, 15);
        QTest::newRow("short parts") << 1 << "1-4-2026" << QDate(2026, 4, 1);
        QTest::newRow("dots") << 1 << "1.4.2026" << QDate(2026, 4, 1);
        QTest::newRow("slashes") << 1 << "05/11/2025" << QDate(2025, 11, 5);
        QTest::newRow("blanks") << 1 << "5 11 2025" << QDate(2025, 11, 5);
        QTest::newRow("day only") << 1 << "7" << QDate(2025, 5, 7);
        QTest::newRow("month") << 4 << "11" << QDate(2025, 11, 20);
        QTest::newRow("month and year") << 4 << "3-2024" << QDate(2024, 3, 20);
        QTest::newRow("year") << 7 << "2024" << QDate(2024, 5, 20);
        QTest::newRow("beside the date") << -1 << "02012026" << QDate(2026, 1, 2);
    }
    void oneClickThenTypingGivesTheDateMeant()
    {
        QFETCH(int, place);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *other = new QLineEdit(&window);
        auto *picker = new DatePicker(&window);
        layout->addWidget(other);
        layout->addWidget(picker);
        window.resize(300, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        picker->setDate(QDate(2025, 5, 20));
        other->setFocus();
        auto *edit = picker->findChild<QLineEdit *>();
        const int y = edit->height() / 2;
        int x = edit->width() - 4;
        if (place >= 0) {
            x = 0;
            while (x < edit->width() && edit->cursorPositionAt(QPoint(x, y)) < place)
                ++x;
        }
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, y));
        QVERIFY(picker->hasFocus());
        QTest::keyClicks(picker, typed);
        other->setFocus(); // leaving the picker completes a part still open ("7")
        QCOMPARE(picker->date(), date);
    }

    void aDraggedSelectionOrAKeyboardWalkStillWorks()
    {
        DatePicker picker;
        picker.setDate(QDate(2025, 5, 20));
        picker.show();
        picker.setFocus();
        picker.setSelectedSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(&picker, Qt::Key_Up);
        QCOMPARE(picker.date(), QDate(2025, 6, 20));
    }

    void theCalendarSpeaksDutch()
    {
        DatePicker picker;
        QCOMPARE(picker.calendarWidget()->locale().monthName(3), QStringLiteral("maart"));
        QCOMPARE(picker.calendarWidget()->locale().dayName(1, QLocale::ShortFormat), QStringLiteral("ma"));
    }
};

QTEST_MAIN(TestDatepicker)
#include "test_datepicker.moc"

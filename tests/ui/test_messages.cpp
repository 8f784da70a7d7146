// The error box with a long list of problems: the first twenty and the count in its text,
// the whole list in its details, and a box that stays on the screen; a long error message
// is shown the same way.
#include "toolkit/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

using namespace zelk;

namespace {
QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Regel %1: \"1-2-68\" heeft een jaartal van twee cijfers; schrijf het jaar voluit.").arg(i + 1);
    return lines;
}

QMessageBox *errorBox(QWidget &parent)
{
    const auto boxes = parent.findChildren<QMessageBox *>(QStringLiteral("foutmelding"));
    return boxes.size() == 1 ? boxes.front() : nullptr;
}

QString detailsShown(QMessageBox *box)
{
    const auto edits = box->findChildren<QTextEdit *>();
    return edits.isEmpty() ? QString() : edits.front()->toPlainText();
}
} // namespace

class TestMessages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aShortListIsShownWhole()
    {
        QWidget parent;
        parent.show();
        showProblems(&parent, QStringLiteral("Er is niets ingelezen, want het bestand bevat 3 fouten:"), numbered(3));
        QMessageBox *box = errorBox(parent);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Fout"));
        QCOMPARE(box->text(), QStringLiteral("Er is niets ingelezen, want het bestand bevat 3 fouten:\n") + numbered(3).join(u'\n'));
        QCOMPARE(box->detailedText(), QString());
    }

    void aLongListShowsTwentyAndTheCountWithTheRestInTheDetails_data()
    {
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("tail");
        QTest::newRow("21 problems") << 21 << -1 << "… en nog 1. Onder Details staan ze allemaal.";
        QTest::newRow("300 problems") << 300 << -1 << "… en nog 280. Onder Details staan ze allemaal.";
        QTest::newRow("100,000 counted, 10,000 kept") << 10000 << 100000 << "… en nog 99.980. Onder Details staan de eerste 10.000.";
        QTest::newRow("100,000 kept") << 100000 << -1 << "… en nog 99.980. Onder Details staan de eerste 10.000.";
    }

    void aLongListShowsTwentyAndTheCountWithTheRestInTheDetails()
    {
        QFETCH(int, kept);
        QFETCH(int, total);
        QFETCH(QString, tail);
        QWidget parent;
        parent.show();
        const QStringList problems = numbered(kept);
        showProblems(&parent, QStringLiteral("Er is niets ingelezen:"), problems, total);
        QMessageBox *box = errorBox(parent);
        QVERIFY(box);
        const QStringList lines = box->text().split(u'\n');
        QCOMPARE(lines.size(), 1 + problemsShown + 1);
        QCOMPARE(lines.mid(1, problemsShown), problems.mid(0, problemsShown));
        QCOMPARE(lines.last(), tail);
        const QString expected
            = kept > 10000 ? problems.mid(0, 10000).join(u'\n') + QStringLiteral("\n… en nog 90.000.") : problems.join(u'\n');
        QCOMPARE(box->detailedText(), expected);
        QVERIFY(QTest::qWaitForWindowExposed(box));
        // The details wait for their button, which speaks Dutch.
        auto *details = box->findChild<QAbstractButton *>(QStringLiteral("details"));
        QVERIFY(details);
        QCOMPARE(details->text(), QStringLiteral("Details tonen…"));
        QVERIFY(!box->findChild<QTextEdit *>()->isVisible());
        details->click();
        QCOMPARE(details->text(), QStringLiteral("Details verbergen…"));
        QVERIFY(details->width() > details->fontMetrics().horizontalAdvance(details->text()));
        QVERIFY(box->findChild<QTextEdit *>()->isVisible());
        QCOMPARE(detailsShown(box), expected);
        // The box, details opened, fits on a 1366x768 screen with its OK button.
        const QSize size = box->sizeHint();
        QVERIFY2(size.height() < 700 && size.width() < 1300, qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
        // The lines are not wrapped: the text is as wide as its longest line.
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(problems.front()));
        QVERIFY(box->button(QMessageBox::Ok));
        details->click();
        QCOMPARE(details->text(), QStringLiteral("Details tonen…"));
    }

    void aLongErrorMessageIsShownTheSameWay()
    {
        QWidget parent;
        parent.show();
        const QStringList problems = numbered(50);
        showError(&parent, QStringLiteral("Er is niets ingelezen, want het bestand bevat 50 fouten:\n") + problems.join(u'\n'));
        QMessageBox *box = errorBox(parent);
        QVERIFY(box);
        QCOMPARE(box->text().split(u'\n').size(), 1 + problemsShown + 1);
        QVERIFY(box->text().startsWith(QStringLiteral("Er is niets ingelezen, want het bestand bevat 50 fouten:\nRegel 2: ")));
        QVERIFY(box->text().endsWith(QStringLiteral("… en nog 30. Onder Details staan ze allemaal.")));
        QCOMPARE(box->detailedText(), problems.join(u'\n'));

        QWidget other;
        showError(&other, QStringLiteral("Een korte melding\nover twee regels."));
        QCOMPARE(errorBox(other)->text(), QStringLiteral("Een korte melding\nover twee regels."));
        QCOMPARE(errorBox(other)->detailedText(), QString());
    }
};

QTEST_MAIN(TestMessages)
#include "test_messages.moc"

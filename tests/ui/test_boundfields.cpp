// The member register's edit boxes and the find and filter boxes stop at the length of
// the member field they hold (the member register's table layout), count an emoji as one
// character and never split it, and what was typed is what is stored.
#include "databases.h"
#include "freshdata.h"
#include "store/fieldlength.h"
#include "toolkit/boundfields.h"
#include "toolkit/findpanel.h"
#include "toolkit/textlimit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

using namespace zelk;

class TestBoundfields : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    QStringList textFields() const
    {
        QStringList fields;
        for (const FieldDef &f : data->ledentabel.schema().fields)
            if (f.type == FieldType::Text)
                fields << f.name;
        return fields;
    }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void everyMemberBoxStopsAtItsFieldLength()
    {
        Table &leden = data->ledentabel;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        BoundForm form(leden);
        for (const QString &field : textFields())
            layout->addWidget(form.add(field, &window));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(form.edits().size(), 11);
        for (BoundEdit *box : form.edits()) {
            const int size = leden.schema().fields[static_cast<size_t>(leden.fieldIndex(box->field()))].size;
            box->setFocus();
            QTest::keyClicks(box, QString(size + 5, u'm'));
            QCOMPARE(box->text(), QString(size, u'm'));
            QCOMPARE(QToolTip::text(), tooLongNotice(size));
        }
        QVERIFY(form.save());
        leden.refresh();
        QCOMPARE(leden.recordCount(), 1);
        QCOMPARE(leden.text(u"Pcode"), QStringLiteral("mmmmmmm"));
        QCOMPARE(leden.text(u"Email").size(), 60);
        QCOMPARE(leden.text(u"Lidbedrag").size(), 15);
    }

    void anEmojiInAMemberBoxCountsOnceAndIsNeverSplit()
    {
        Table &leden = data->ledentabel;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        BoundForm form(leden);
        BoundEdit *naam = form.add(QStringLiteral("Naam"), &window);
        BoundEdit *pcode = form.add(QStringLiteral("Pcode"), &window);
        layout->addWidget(naam);
        layout->addWidget(pcode);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QString smile = QStringLiteral("\U0001F642");
        const QString wave = QStringLiteral("\U0001F44B\U0001F3FD"); // a waving hand with a skin tone: two characters
        naam->setFocus();
        QTest::keyClicks(naam, QString(38, u'n'));
        QKeyEvent first(QEvent::KeyPress, 0, Qt::NoModifier, smile);
        QApplication::sendEvent(naam, &first);
        QKeyEvent second(QEvent::KeyPress, 0, Qt::NoModifier, wave);
        QApplication::sendEvent(naam, &second); // would end on the 41st place: left out whole
        QCOMPARE(naam->text(), QString(38, u'n') + smile);
        QCOMPARE(fieldlength::characters(naam->text()), 39);
        QTest::keyClicks(naam, QStringLiteral("!"));
        pcode->setFocus();
        QTest::keyClicks(pcode, QStringLiteral("1234 A"));
        QKeyEvent third(QEvent::KeyPress, 0, Qt::NoModifier, wave);
        QApplication::sendEvent(pcode, &third); // the hand fits, its skin tone would not
        QCOMPARE(pcode->text(), QStringLiteral("1234 A"));
        QVERIFY(form.save());
        data->disconnectDatabase();
        data->openForUse();
        QCOMPARE(data->ledentabel.text(u"Naam"), QString(38, u'n') + smile + u'!');
        QCOMPARE(data->ledentabel.text(u"Pcode"), QStringLiteral("1234 A"));
    }

    void theFindBoxesStopAtTheFieldLength()
    {
        FindPanel panel(QStringLiteral("  ZOEKEN  "), data->ledentabel,
                        {{QStringLiteral("Naam"), Match::Contains}, {QStringLiteral("Pcode"), Match::StartsWith}});
        panel.show();
        QTest::keyClicks(panel.box(QStringLiteral("Pcode")), QStringLiteral("1234 AB extra"));
        QCOMPARE(panel.box(QStringLiteral("Pcode"))->text(), QStringLiteral("1234 AB"));
        QTest::keyClicks(panel.box(QStringLiteral("Naam")), QString(45, u'z'));
        QCOMPARE(panel.box(QStringLiteral("Naam"))->text(), QString(40, u'z'));
    }
};

QTEST_MAIN(TestBoundfields)
#include "test_boundfields.moc"

// The dues screen as the treasurer uses it: the lists with their headings and months,
// ticking a month stores all 36 marks of the current member at once, moving to another
// member shows its marks, and no amount is booked anywhere.
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "members/invoercontri.h"
#include "preview/previewwindow.h"
#include "startedprogram.h"
#include "toolkit/boundgrid.h"
#include "toolkit/findpanel.h"
#include "toolkit/hoverbutton.h"
#include "toolkit/recordnavigator.h"

#include <QTimer>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace zelk;

class TestInvoercontri : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    invoercontri *screen = nullptr;

    Table &leden() { return app->program.context().data->ledentabel; }
    void addMember(const QString &name, const QStringList &setFields, const QStringList &falseFields = {})
    {
        leden().append();
        leden().setValue(u"Naam", name);
        leden().setValue(u"Straat", QStringLiteral("Dorpsstraat 1"));
        for (const QString &f : setFields)
            leden().setValue(f, true);
        for (const QString &f : falseFields)
            leden().setValue(f, false);
        leden().post();
    }
    QStringList ticked()
    {
        QStringList fields;
        const QStringList all = invoercontri::markFields();
        for (int i = 0; i < all.size(); ++i)
            if (screen->list(i / 12)->item(i % 12)->checkState() == Qt::Checked)
                fields << all[i];
        return fields;
    }
    void open()
    {
        app->program.mainMenu()->button(QStringLiteral("Contributies"))->click();
        QVERIFY(screen->isVisible());
        QApplication::setActiveWindow(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        screen = app->program.context().screenAs<invoercontri>(QStringLiteral("invoercontri"));
        QVERIFY(screen);
    }
    void cleanup() { app.reset(); }

    void helpOpensTheScreensChapter()
    {
        QString asked;
        app->program.context().openHelp = [&asked](QWidget *, const QString &heading) { asked = heading; };
        open();
        QVERIFY(screen->button(QStringLiteral("Help"))->isEnabled());
        screen->button(QStringLiteral("Help"))->click();
        QCOMPARE(asked, QStringLiteral("4. VERWERKEN CONTRIBUTIES"));
    }

    void showsHeadingsMonthsAndNotices()
    {
        addMember(QStringLiteral("Bakker, Els"), {"Ajan", "Afeb", "Jan", "Feb", "Mrt"});
        addMember(QStringLiteral("Jansen, Piet"), {});
        leden().first();
        open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Invoer contributies"));
        QStringList labels;
        for (auto *label : screen->findChildren<QLabel *>())
            labels << label->text();
        for (const char *text : {"Kies de juiste naam", "           Vorig jaar", "           Huidig jaar", "          Volgend jaar",
                                 "Het bijwerken van de maandcontributies is alleen", "als hulp voor een overzicht !",
                                 "Er worden GEEN bedragen in de administratie verwerkt !"})
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
        for (int family = 0; family < 3; ++family) {
            QStringList months;
            for (int i = 0; i < screen->list(family)->count(); ++i)
                months << screen->list(family)->item(i)->text();
            QCOMPARE(months, invoercontri::monthNames());
            QCOMPARE(screen->list(family)->focusPolicy(), Qt::ClickFocus); // Tab skips the lists
        }
        QCOMPARE(invoercontri::monthNames().first(), QStringLiteral("januari"));
        QCOMPARE(screen->findPanel()->title(), QStringLiteral("  ZOEKEN  "));
        QVERIFY(screen->nameBox()->isReadOnly());
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("Bakker, Els"));
        QCOMPARE(ticked(), (QStringList{"Ajan", "Afeb", "Jan", "Feb", "Mrt"}));
        QStringList columns;
        for (int c = 0; c < screen->grid()->model()->columnCount(); ++c)
            columns << screen->grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(columns, (QStringList{"Naam", "Geb datum", "Straat"}));
        QVERIFY(!screen->navigator()->button(RecordNavigator::Insert));
        for (const char *caption : {"Overzicht", "Help", "Sluit venster"})
            QVERIFY2(screen->button(QString::fromLatin1(caption)), caption);
        test::saveScreenshot(screen, QStringLiteral("invoercontri"));
    }

    void tickingAMonthSetsThatFlagOnly_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("field");
        QTest::newRow("maart, Huidig jaar") << 1 << 2 << "Mrt";
        QTest::newRow("januari, Vorig jaar") << 0 << 0 << "Ajan";
        QTest::newRow("december, Volgend jaar") << 2 << 11 << "Vdec";
    }

    void tickingAMonthSetsThatFlagOnly()
    {
        QFETCH(int, family);
        QFETCH(int, month);
        QFETCH(QString, field);
        addMember(QStringLiteral("Bakker, Els"), {"Aapr", "Okt"}, {"Vjan"});
        addMember(QStringLiteral("Jansen, Piet"), {"Jan"});
        leden().first();
        open();
        QListWidget *list = screen->list(family);
        list->setFocus();
        list->setCurrentRow(month);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(month)->checkState(), Qt::Checked);

        DataModule1 disk;
        disk.openForUse();
        QCOMPARE(disk.ledentabel.text(u"Naam"), QStringLiteral("Bakker, Els"));
        QStringList set;
        for (const QString &f : invoercontri::markFields()) {
            QVERIFY2(disk.ledentabel.value(f).isValid(), qPrintable(f)); // all 36 were written
            if (disk.ledentabel.boolean(f))
                set << f;
        }
        QStringList expected{"Aapr", "Okt", field};
        QCOMPARE(QSet<QString>(set.begin(), set.end()), QSet<QString>(expected.begin(), expected.end()));
        // The other member is untouched; nothing was booked.
        disk.ledentabel.last();
        QVERIFY(!disk.ledentabel.value(u"Feb").isValid());
        QCOMPARE(disk.journaaltabel.recordCount(), 0);
        double balances = 0;
        for (int i = 0; i < disk.rekeningtabel.recordCount(); ++i)
            balances += std::abs(disk.rekeningtabel.valueAt(i, u"Saldo").toDouble());
        QCOMPARE(balances, 0.0);
    }

    void untickingAndClickingTextStoreAtOnce()
    {
        addMember(QStringLiteral("Bakker, Els"), {"Mrt"});
        leden().first();
        open();
        QListWidget *list = screen->list(1);
        // A click on the text of an item changes no tick and still stores the 36 marks.
        QVERIFY(!leden().value(u"Ajan").isValid());
        const QRect text = list->visualItemRect(list->item(5));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(text.right() - 10, text.center().y()));
        QVERIFY(leden().value(u"Ajan").isValid());
        QCOMPARE(ticked(), QStringList{"Mrt"});
        QVERIFY(leden().boolean(u"Mrt"));
        // Unticking with the space bar is stored at once too.
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(!leden().boolean(u"Mrt"));
        QVERIFY(!leden().isEditing());
        QCOMPARE(ticked(), QStringList());
    }

    void movingToAnotherMemberShowsItsMarks()
    {
        addMember(QStringLiteral("Bakker, Els"), {"Jan", "Feb"});
        addMember(QStringLiteral("de Vries, Jan"), {});
        addMember(QStringLiteral("Jansen, Piet"), {"Vmei", "Adec"});
        leden().first();
        open();
        QCOMPARE(ticked(), (QStringList{"Jan", "Feb"}));
        screen->navigator()->button(RecordNavigator::Next)->click();
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("de Vries, Jan"));
        QCOMPARE(ticked(), QStringList()); // blank flags show no ticks
        screen->grid()->selectRow(2);
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("Jansen, Piet"));
        QCOMPARE(ticked(), (QStringList{"Adec", "Vmei"}));
        QTest::keyClicks(screen->findPanel()->box(QStringLiteral("Naam")), QStringLiteral("bakk"));
        QCOMPARE(screen->nameBox()->text(), QStringLiteral("Bakker, Els"));
        QCOMPARE(ticked(), (QStringList{"Jan", "Feb"}));

        // "Overzicht" shows the dues overview of all members.
        bool previewed = false;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            QVERIFY(preview);
            test::saveScreenshot(preview, QStringLiteral("printcontribut-preview"));
            previewed = true;
            preview->close();
        });
        screen->button(QStringLiteral("Overzicht"))->click();
        QVERIFY(previewed);

        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(!screen->isVisible());
        QVERIFY(app->program.mainMenu()->isVisible());
    }

    void noMemberNothingToStore()
    {
        open();
        QTest::keyClick(screen->list(1), Qt::Key_Space);
        QCOMPARE(leden().recordCount(), 0);
        QVERIFY(!leden().isEditing());
    }
};

QTEST_MAIN(TestInvoercontri)
#include "test_invoercontri.moc"

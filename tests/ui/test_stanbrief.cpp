// The mailing screen over real members: its grid and eleven filter boxes, the filter staying
// on while the letter editor is in front and lifted when the screen closes; the letter
// printed for a selection of three (one page each, in name order, each with its own data,
// read back from the PDF with pdftotext), after which the editor and the print copy still
// hold the placeholders; the preview of the current member's letter; and a print copy that
// cannot be written stopping the print with the error.
#include "core/main.h"
#include "databases.h"
#include "letters/stanbrief.h"
#include "letters/standaardbrief.h"
#include "preview/previewwindow.h"
#include "reports/papportstand.h"
#include "rtf/rtf.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "store/velden.h"
#include "toolkit/boundgrid.h"
#include "toolkit/fieldfilterpanel.h"
#include "toolkit/hoverbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace zelk;

namespace {
// The text of one page of a PDF, as pdftotext reads it.
QString pdfPage(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                   QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext failed: %1)").arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}
} // namespace

class TestStanbrief : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    DataModule1 &data() { return app->data(); }
    Table &members() { return data().ledentabel; }
    stanbrief *open() { return qobject_cast<stanbrief *>(test::openFromMenu(app->program, QStringLiteral("Mailing"))); }
    standaardbrief *editor() { return app->program.context().screenAs<standaardbrief>(QStringLiteral("standaardbrief")); }

    void addMember(const QString &name, const QString &town, const QString &dues, const QString &born = {})
    {
        using namespace veld::leden;
        Table &t = members();
        t.append();
        t.setValue(Naam, name);
        t.setValue(Straat, QStringLiteral("Kerkstraat %1").arg(t.totalCount() + 1));
        t.setValue(Pcode, QStringLiteral("2611 AB"));
        t.setValue(Plaats, town);
        t.setValue(Email, name.section(u',', 0, 0).toLower() + QStringLiteral("@voorbeeld.nl"));
        t.setValue(Lidbedrag, dues);
        if (!born.isEmpty())
            t.setValue(GebDatum, born);
        t.post();
    }
    static void type(stanbrief *screen, const char *box, const QString &text)
    {
        auto *edit = screen->findChild<QLineEdit *>(QLatin1String(box));
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static QStringList names(stanbrief *screen)
    {
        QStringList shown;
        for (int row = 0; row < screen->grid()->model()->rowCount(); ++row)
            shown << screen->grid()->model()->index(row, 0).data().toString();
        return shown;
    }
    standaardbrief *openEditor(stanbrief *screen)
    {
        screen->button(QStringLiteral("Bewerken brief"))->click();
        standaardbrief *e = editor();
        if (e)
            (void)QTest::qWaitForWindowExposed(e);
        return e;
    }
    // Runs a menu item of the editor that opens the print preview; saves the report as PDF
    // and returns its path, with the zoom the preview opened at.
    QString printed(QAction *item, QString *zoom = nullptr)
    {
        QString path;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            if (zoom)
                *zoom = preview->findChild<QComboBox *>(QStringLiteral("zoom"))->currentText();
            const QString pdf = app->home.path() + QStringLiteral("/brieven.pdf");
            QFile::remove(pdf);
            if (preview->saveAs(pdf, ExportFormat::Pdf))
                path = pdf;
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        item->trigger();
        return path;
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        addMember(QStringLiteral("Visser, Anna"), QStringLiteral("Delft"), QStringLiteral("12,50"), QStringLiteral("02-01-1980"));
        addMember(QStringLiteral("Bakker, Els"), QStringLiteral("Delft"), QStringLiteral("vrijgesteld"));
        addMember(QStringLiteral("de Wit, Kees"), QStringLiteral("Gouda"), QStringLiteral("25,00"));
        addMember(QStringLiteral("Jansen, Piet"), QStringLiteral("Delfgauw"), QStringLiteral("30"));
        addMember(QStringLiteral("Mulder, Bram"), QStringLiteral("Leiden"), QStringLiteral("30"));
    }
    void cleanup() { app.reset(); }

    void theScreen()
    {
        HoverButton *mailing = app->program.mainMenu()->button(QStringLiteral("Mailing"));
        QVERIFY(mailing && mailing->isEnabled());
        stanbrief *screen = open();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Mailing"));
        QCOMPARE(screen->helpHeading(), QStringLiteral("18. MAILING"));
        QVERIFY(!app->program.mainMenu()->isVisible());
        QStringList headings;
        for (int c = 0; c < screen->grid()->model()->columnCount(); ++c)
            headings << screen->grid()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Naam", "Straat", "Pcode", "Plaats", "Email", "Geb datum"}));
        QCOMPARE(screen->grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(names(screen), (QStringList{"Bakker, Els", "de Wit, Kees", "Jansen, Piet", "Mulder, Bram", "Visser, Anna"}));
        QCOMPARE(screen->grid()->model()->index(4, 5).data().toString(), QStringLiteral("02-01-1980"));
        QStringList boxes;
        for (const QLineEdit *box : screen->filterPanel()->findChildren<QLineEdit *>())
            boxes << box->objectName();
        QCOMPARE(boxes,
                 (QStringList{"filternaam", "filterstraat", "filterpcode", "filterplaats", "filteremail", "filterbank-giro",
                              "filterlidbedrag", "filtersoortlid", "filteropmerk1", "filteropmerk2", "filteropmerk3"}));
        // Each button is enabled exactly when the program has the screen it opens.
        for (const auto &[caption, unit] : stanbrief::openedScreens()) {
            QVERIFY(screen->button(caption));
            QCOMPARE(screen->button(caption)->isEnabled(), app->program.context().screen(unit) != nullptr);
        }
        QVERIFY(screen->button(QStringLiteral("Bewerken brief"))->isEnabled());
        QVERIFY(screen->button(QStringLiteral("Bewerken e-mail"))->isEnabled());
        QVERIFY(screen->button(QStringLiteral("Verzonden e-mail"))->isEnabled());
        QVERIFY(screen->button(QStringLiteral("Help"))->isEnabled());
        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(app->program.mainMenu()->isVisible());
    }

    void theFilterStaysOnWhileTheEditorIsInFront()
    {
        stanbrief *screen = open();
        QVERIFY(screen);
        type(screen, "filterplaats", QStringLiteral("DELF"));
        QCOMPARE(names(screen), (QStringList{"Bakker, Els", "Jansen, Piet", "Visser, Anna"}));
        type(screen, "filterlidbedrag", QStringLiteral("12,5"));
        QCOMPARE(names(screen), QStringList{"Visser, Anna"});
        type(screen, "filterlidbedrag", QString());

        standaardbrief *e = openEditor(screen);
        QVERIFY(e && e->isVisible());
        QCOMPARE(e->windowTitle(), QStringLiteral("Bewerken standaard brief"));
        QVERIFY(!screen->isVisible());
        QCOMPARE(members().recordCount(), 3);
        e->menuItem(QStringLiteral("Files"), QStringLiteral("Sluiten"))->trigger();
        QVERIFY(!e->isVisible());
        QVERIFY(screen->isVisible());
        QCOMPARE(names(screen), (QStringList{"Bakker, Els", "Jansen, Piet", "Visser, Anna"}));
        QCOMPARE(screen->findChild<QLineEdit *>(QStringLiteral("filterplaats"))->text(), QStringLiteral("DELF"));

        screen->button(QStringLiteral("Sluit venster"))->click();
        QVERIFY(app->program.mainMenu()->isVisible());
        QVERIFY(!members().isFiltered());
        QCOMPARE(members().recordCount(), 5);
        screen = open();
        QCOMPARE(names(screen).size(), 5);
        for (const QLineEdit *box : screen->filterPanel()->findChildren<QLineEdit *>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    }

    // A filter on the town matching three members prints three letters of one page each,
    // in name order, each with that member's own data; the editor and the print copy keep
    // the placeholders; the preview opens at 80 %.
    void printsTheLetterForTheSelection()
    {
        stanbrief *screen = open();
        type(screen, "filterplaats", QStringLiteral("delf"));
        standaardbrief *e = openEditor(screen);
        QVERIFY(e);
        const QString letter = QStringLiteral("Beste <naam>,\nU woont in <plaats>, <straat>.\nContributie: <Contributie>.");
        e->editor()->setPlainText(letter);

        QString zoom;
        const QString pdf = printed(e->menuItem(QStringLiteral("Uitvoer"), QStringLiteral("Afdrukken")), &zoom);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(zoom, QStringLiteral("80 %"));
        QCOMPARE(pdfPages(pdf), 3);
        const QStringList expected[] = {{"Beste Bakker, Els,", "U woont in Delft, Kerkstraat 2.", "Contributie: vrijgesteld.", "Blad: 1"},
                                        {"Beste Jansen, Piet,", "U woont in Delfgauw, Kerkstraat 4.", "Contributie: 30.", "Blad: 2"},
                                        {"Beste Visser, Anna,", "U woont in Delft, Kerkstraat 1.", "Contributie: 12,50.", "Blad: 3"}};
        for (int page = 1; page <= 3; ++page) {
            QStringList lines;
            for (const QString &line : pdfPage(pdf, page).split(u'\n'))
                if (!line.trimmed().isEmpty())
                    lines << line.simplified();
            QCOMPARE(lines, expected[page - 1]);
        }

        QCOMPARE(e->editor()->toPlainText(), letter);
        QTextDocument copy;
        rtf::readFile(data().werkmap() + QStringLiteral("/tempprint.hlp"), &copy);
        QCOMPARE(copy.toPlainText(), letter);
    }

    void previewsTheCurrentMembersLetter()
    {
        stanbrief *screen = open();
        QTest::mouseClick(screen->grid()->viewport(), Qt::LeftButton, {}, screen->grid()->rowRect(1).center());
        QCOMPARE(members().text(veld::leden::Naam), QStringLiteral("de Wit, Kees"));
        standaardbrief *e = openEditor(screen);
        e->editor()->setPlainText(QStringLiteral("Aan <naam> te <plaats>"));
        const QString pdf = printed(e->menuItem(QStringLiteral("Uitvoer"), QStringLiteral("Voorbeeld")));
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY2(pdfPage(pdf, 1).contains(QStringLiteral("Aan de Wit, Kees te Gouda")), qPrintable(pdfPage(pdf, 1)));
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Aan <naam> te <plaats>"));
    }

    void aPrintCopyThatCannotBeWrittenStopsThePrint()
    {
        QVERIFY(QDir().mkpath(data().werkmap() + QStringLiteral("/tempprint.hlp")));
        stanbrief *screen = open();
        standaardbrief *e = openEditor(screen);
        e->editor()->setPlainText(QStringLiteral("Aan <naam>"));
        bool previewShown = false;
        QTimer::singleShot(0, [&] {
            if (auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
                previewShown = true;
                preview->close();
            }
        });
        e->menuItem(QStringLiteral("Uitvoer"), QStringLiteral("Afdrukken"))->trigger();
        QVERIFY(!previewShown);
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"foutmelding" && w->isVisible())
                box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        QVERIFY2(box->text().contains(QStringLiteral("tempprint.hlp")), qPrintable(box->text()));
        box->close();
        QCOMPARE(e->editor()->toPlainText(), QStringLiteral("Aan <naam>"));
    }
};

QTEST_MAIN(TestStanbrief)
#include "test_stanbrief.moc"

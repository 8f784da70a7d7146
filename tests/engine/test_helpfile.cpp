#include "helpfile.h"
#include "rtf/rtf.h"
#include "shippedfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestHelpfile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pathFor_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<QString>("help");
        QTest::newRow("beside the program") << "/opt/zelk/zelk" << true << "/opt/zelk/zelkuitleg.rtf";
        QTest::newRow("extension dropped") << "/opt/zelk/zelk.exe" << true << "/opt/zelk/zelkuitleg.rtf";
        QTest::newRow("installed: in the root") << "/usr/bin/zelk" << false << "/home/p/.local/share/zelk/zelkuitleg.rtf";
        QTest::newRow("named after the program") << "/opt/x/kas" << true << "/opt/x/kasuitleg.rtf";
    }
    void pathFor()
    {
        QFETCH(QString, program);
        QFETCH(bool, beside);
        QFETCH(QString, help);
        QCOMPARE(zelk::helpfile::pathFor(program, QStringLiteral("/home/p/.local/share/zelk"), beside), help);
    }

    void seedCopiesTheManualOnce()
    {
        QTemporaryDir dir;
        const QString manual = dir.filePath("handleiding.rtf");
        const QString help = dir.filePath("zelkuitleg.rtf");
        QVERIFY(!zelk::helpfile::seed(help, manual)); // no manual: nothing to copy
        QVERIFY(!QFile::exists(help));

        writeFile(manual, "{\\rtf1 handleiding}");
        QFile::setPermissions(manual, QFileDevice::ReadOwner); // as a resource copy would be
        QVERIFY(zelk::helpfile::seed(help, manual));
        QCOMPARE(contents(help), QByteArray("{\\rtf1 handleiding}"));
        QVERIFY(QFile::permissions(help) & QFileDevice::WriteOwner); // the treasurer saves edits

        writeFile(help, "{\\rtf1 eigen tekst}");
        QVERIFY(!zelk::helpfile::seed(help, manual)); // an existing help file is kept
        QCOMPARE(contents(help), QByteArray("{\\rtf1 eigen tekst}"));
    }

    // After an update the help file follows the new manual, unless the treasurer changed it.
    void anUnchangedHelpFileFollowsANewerManual()
    {
        QTemporaryDir dir;
        const QString manual = dir.filePath("handleiding.rtf");
        const QString help = dir.filePath("zelkuitleg.rtf");
        writeFile(manual, "{\\rtf1 versie 1}");
        QVERIFY(zelk::helpfile::seed(help, manual));
        writeFile(manual, "{\\rtf1 versie 2}");
        QVERIFY(zelk::helpfile::seed(help, manual));
        QCOMPARE(contents(help), QByteArray("{\\rtf1 versie 2}"));
        QVERIFY(!zelk::helpfile::seed(help, manual)); // already made from this manual

        writeFile(help, "{\\rtf1 eigen tekst}");
        writeFile(manual, "{\\rtf1 versie 3}");
        QVERIFY(!zelk::helpfile::seed(help, manual));
        QCOMPARE(contents(help), QByteArray("{\\rtf1 eigen tekst}"));

        // A help file of unknown origin (made before its origin was noted) is kept too.
        QVERIFY(QFile::remove(help + QStringLiteral(".bron")));
        writeFile(help, "{\\rtf1 versie 3}");
        writeFile(manual, "{\\rtf1 versie 4}");
        QVERIFY(!zelk::helpfile::seed(help, manual));
        QCOMPARE(contents(help), QByteArray("{\\rtf1 versie 3}"));
    }

    // The shipped manual is HTML; the seeded help file is RTF with its headings intact.
    void seedConvertsTheShippedManual()
    {
        QTemporaryDir dir;
        const QString help = dir.filePath("zelkuitleg.rtf");
        QVERIFY(zelk::helpfile::seed(help));
        QVERIFY(contents(help).startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QTextDocument doc;
        zelk::rtf::readFile(help, &doc);
        for (const char *heading : {"Doel van het programma", "5. VERWERKEN INKOMSTEN", "19. BEGROTING", "20. FOUTMELDINGEN"})
            QVERIFY2(!doc.find(QString::fromUtf8(heading), 0, QTextDocument::FindCaseSensitively).isNull(), heading);
    }

    void runningProgramUsesItsOwnFolder()
    {
        // The test program's folder is writable, so its help file lies beside it, and the
        // first use finds the manual there rather than an empty page.
        const QString beside = QCoreApplication::applicationFilePath() + QStringLiteral("uitleg.rtf");
        QFile::remove(beside);
        QCOMPARE(zelk::helpfile::path(), beside);
        QVERIFY(contents(beside).startsWith("{\\rtf1\\ansi"));
        QVERIFY(contents(beside).contains("FOUTMELDINGEN"));
        QFile::remove(beside);
    }

    // An installed program takes the manual from its data folder (share/zelk beside bin),
    // where a newer one may have been put; without it, the copy built into the program.
    void shippedFilesPreferTheInstalledCopy()
    {
        const QString name = QStringLiteral("proef-handleiding-%1.html").arg(QCoreApplication::applicationPid());
        const QString builtIn = zelk::shippedfiles::manual();
        QCOMPARE(zelk::shippedfiles::find(name, builtIn), builtIn);

        const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelk");
        QVERIFY(QDir().mkpath(data));
        const QString installed = QDir(data).absoluteFilePath(name);
        writeFile(installed, "<h1>1. NIEUWE HANDLEIDING</h1>");
        QCOMPARE(zelk::shippedfiles::find(name, builtIn), QFileInfo(installed).absoluteFilePath());
        QVERIFY(!zelk::shippedfiles::installed()); // only the real manual makes an installation

        QTemporaryDir dir;
        const QString help = dir.filePath("zelkuitleg.rtf");
        QVERIFY(zelk::helpfile::seed(help, zelk::shippedfiles::find(name, builtIn)));
        QVERIFY(contents(help).contains("NIEUWE HANDLEIDING"));
        QFile::remove(installed);
        QCOMPARE(zelk::shippedfiles::find(name, builtIn), builtIn);
    }

    // An installed program keeps its help file in the root even when it could write beside
    // itself (run by root): nothing lands among the installed files.
    void installedProgramKeepsItsHelpFileInTheRoot()
    {
        QTemporaryDir home;
        qputenv("ZELK_HOME", home.path().toUtf8());
        const QString manual = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelk/handleiding.html");
        QVERIFY(QDir().mkpath(QFileInfo(manual).absolutePath()));
        writeFile(manual, "<h1>1. GEINSTALLEERDE HANDLEIDING</h1>");
        QVERIFY(zelk::shippedfiles::installed());
        const QString help = zelk::helpfile::path();
        QFile::remove(manual);
        qunsetenv("ZELK_HOME");
        QCOMPARE(QFileInfo(help).absolutePath(), QFileInfo(home.path()).absoluteFilePath());
        QVERIFY(contents(help).contains("GEINSTALLEERDE HANDLEIDING"));
        QVERIFY(!QFile::exists(QCoreApplication::applicationFilePath() + QStringLiteral("uitleg.rtf")));
    }
};

QTEST_MAIN(TestHelpfile)
#include "test_helpfile.moc"

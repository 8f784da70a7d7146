// zelk-cli settings: every setting of the current administration as key=value, each
// changeable one stored and read back, wrong keys and values refused with code 2 before
// anything opens, a logo put into the administration unchanged, and the writer lock.
#include "clirun.h"
#include "databases.h"
#include "testhome.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace zelk;

namespace {
test::CliRun cli(const QStringList &arguments)
{
    return test::cli(arguments);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}

QMap<QString, QString> settingsOf(const QString &out)
{
    QMap<QString, QString> values;
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf(u'=');
        values.insert(line.left(equals), line.mid(equals + 1));
    }
    return values;
}
} // namespace

class TestCliSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsEverySettingOfANewAdministration()
    {
        test::TestHome home;
        const test::CliRun run = cli({"settings"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out,
                 QStringLiteral("vereniging=\nemail=\nafzender=\nserver=\nnederlands=0\nlogo=1\nlogo-links=1\nlogo-rechts=0\n"
                                "poort=25\nbeveiliging=geen\ngebruiker=\nca-bestand=\nuitzondering=\n"
                                "logopad=%1/lidbedraglogo.jpg\nbackupmap=\n")
                     .arg(home.administration(0)));
    }

    void everyKeyRoundTrips_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("file"); // where it is stored
        QTest::newRow("email") << "email"
                               << "penningmeester@dekeu.nl"
                               << "instelling.dat";
        QTest::newRow("afzender") << "afzender"
                                  << "Penningmeester Café De Keu"
                                  << "instelling.dat";
        QTest::newRow("server") << "server"
                                << "smtp.provider.nl"
                                << "instelling.dat";
        QTest::newRow("nederlands") << "nederlands"
                                    << "1"
                                    << "konfigur.dat";
        QTest::newRow("logo") << "logo"
                              << "0"
                              << "instelling.dat";
        QTest::newRow("logo-links") << "logo-links"
                                    << "0"
                                    << "instelling.dat";
        QTest::newRow("logo-rechts") << "logo-rechts"
                                     << "1"
                                     << "instelling.dat";
        QTest::newRow("vereniging") << "vereniging"
                                    << "Biljartvereniging De Keu"
                                    << "vereniging.txt";
        QTest::newRow("an empty text") << "server"
                                       << ""
                                       << "instelling.dat";
        QTest::newRow("40 characters") << "vereniging" << QString(40, u'v') << "vereniging.txt";
    }
    void everyKeyRoundTrips()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, file);
        test::TestHome home;
        QCOMPARE(cli({"settings", "set", "server", "eerst.nl"}).exitCode, 0);
        const QMap<QString, QString> before = settingsOf(cli({"settings"}).out);
        const QByteArray fileBefore = bytesOf(home.administration(0) + u'/' + file);

        const test::CliRun set = cli({"settings", "set", key, value});
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
        QCOMPARE(set.out, key + u'=' + value + u'\n');
        const test::CliRun shown = cli({"settings"});
        QCOMPARE(shown.exitCode, 0);
        QMap<QString, QString> expected = before;
        expected.insert(key, value);
        QCOMPARE(settingsOf(shown.out), expected); // that one changed, nothing else
        QVERIFY(bytesOf(home.administration(0) + u'/' + file) != fileBefore);
    }

    void wrongKeysAndValuesAreRefusedBeforeAnythingOpens_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown key") << QStringList{"settings", "set", "kleur", "rood"}
                                     << "onbekende sleutel \"kleur\"; te wijzigen zijn: vereniging, email, afzender, server, nederlands, "
                                        "logo, logo-links, logo-rechts";
        QTest::newRow("shown only") << QStringList{"settings", "set", "logopad", "/tmp/x.jpg"} << "onbekende sleutel \"logopad\"";
        QTest::newRow("flag 2") << QStringList{"settings", "set", "nederlands", "2"} << "nederlands is 0 (uit) of 1 (aan), niet \"2\"";
        QTest::newRow("flag ja") << QStringList{"settings", "set", "logo-links", "ja"} << "logo-links is 0 (uit) of 1 (aan), niet \"ja\"";
        QTest::newRow("email too long") << QStringList{"settings", "set", "email", QString(61, u'e')}
                                        << "email: ten hoogste 60 tekens, niet 61";
        QTest::newRow("name too long") << QStringList{"settings", "set", "vereniging", QString(41, u'v')}
                                       << "vereniging: ten hoogste 40 tekens, niet 41";
        QTest::newRow("line break") << QStringList{"settings", "set", "afzender", "Kas\nBcc: iedereen@x.nl"}
                                    << "afzender: een regeleinde of ander stuurteken kan niet worden bewaard";
        QTest::newRow("not in the code page") << QStringList{"settings", "set", "server", "smtp.łódź.pl"} << "server: bevat een teken";
        QTest::newRow("no value") << QStringList{"settings", "set", "email"} << "settings set heeft een sleutel en een waarde nodig";
        QTest::newRow("unknown word") << QStringList{"settings", "toon"} << "onbekend argument: toon";
        QTest::newRow("logo without file") << QStringList{"settings", "logo"} << "settings logo heeft één bestand nodig";
    }
    void wrongKeysAndValuesAreRefusedBeforeAnythingOpens()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        test::TestHome home;
        const test::CliRun run = cli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("Gebruik: zelk-cli settings")));
        QVERIFY(!QFile::exists(home.administration(0))); // nothing was opened or created
    }

    void logoPutsThePictureIntoTheAdministrationUnchanged()
    {
        test::TestHome home;
        QTemporaryDir dir;
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        QVERIFY(image.save(bmp, "BMP"));
        const test::CliRun run = cli({"settings", "logo", bmp});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString target = home.administration(0) + QStringLiteral("/lidbedraglogo.bmp");
        QCOMPARE(run.out, QStringLiteral("logopad=%1\n").arg(target));
        QCOMPARE(bytesOf(target), bytesOf(bmp));
        QCOMPARE(settingsOf(cli({"settings"}).out).value(QStringLiteral("logopad")), target);

        // Something that is no picture is refused with the reason; nothing changes.
        const QString text = dir.filePath(QStringLiteral("logo.jpg"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("geen plaatje");
        file.close();
        const test::CliRun refused = cli({"settings", "logo", text});
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err,
                 QStringLiteral("Fout: De afbeelding %1 kan niet worden geladen: het is geen JPEG-, BMP- of PNG-afbeelding, "
                                "of het bestand is beschadigd.\n")
                     .arg(text));
        QCOMPARE(settingsOf(cli({"settings"}).out).value(QStringLiteral("logopad")), target);
    }

    void settingsOfTheCurrentAdministrationOnly()
    {
        test::TestHome home;
        QCOMPARE(cli({"settings", "set", "email", "kas@zelk.nl"}).exitCode, 0);
        QCOMPARE(cli({"admin", "2"}).exitCode, 0);
        QCOMPARE(settingsOf(cli({"settings"}).out).value(QStringLiteral("email")), QString());
        QCOMPARE(cli({"settings", "set", "email", "kas@zelk02.nl"}).exitCode, 0);
        QCOMPARE(cli({"admin", "0"}).exitCode, 0);
        QCOMPARE(settingsOf(cli({"settings"}).out).value(QStringLiteral("email")), QStringLiteral("kas@zelk.nl"));
    }

    void aWriterHoldingTheAdministrationsRefusesAChangeButNotAReader()
    {
        test::TestHome home;
        auto program = std::make_unique<DataModule1>(); // holds the writer lock, as zelk does
        program->openForUse();
        const test::CliRun refused = cli({"settings", "set", "email", "kas@dekeu.nl"});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("worden al bijgewerkt door")), qPrintable(refused.err));
        const test::CliRun read = cli({"settings"});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.out.contains(QStringLiteral("email=\n")));
        program.reset();
        QCOMPARE(cli({"settings", "set", "email", "kas@dekeu.nl"}).exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliSettings)
#include "test_cli_settings.moc"

// Byte layout of the three settings files, their defaults, and the association name.
#include "amountformat.h"
#include "databases.h"
#include "settingsfiles.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zelk;

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Should the program open a named pipe after all, this opens its other end after a while,
// so that the test fails instead of waiting for ever.
class PipeWatch {
public:
    explicit PipeWatch(const QString &path)
        : m_path(QFile::encodeName(path)), m_thread([this, done = m_done.get_future()] {
              if (done.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
                  const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      ::close(fd);
              }
          })
    {
    }
    ~PipeWatch()
    {
        m_done.set_value();
        m_thread.join();
    }

private:
    QByteArray m_path;
    std::promise<void> m_done;
    std::thread m_thread;
};
} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFreshAdministrationGetsAllThreeFilesWithDefaults()
    {
        test::TestHome home;
        DataModule1 data;
        data.connectDatabase();
        data.readSettings();
        const QString w = data.werkmap();

        const QByteArray instelling = fileBytes(w + QStringLiteral("/instelling.dat"));
        QCOMPARE(instelling.size(), 146);
        QCOMPARE(instelling.left(3), QByteArray("\x01\x01\x00", 3));
        QCOMPARE(instelling.at(3), '\0');   // empty e-mail address
        QCOMPARE(instelling.at(64), '\0');  // empty sender name
        QCOMPARE(instelling.at(105), '\0'); // empty server

        const QByteArray logonaam = fileBytes(w + QStringLiteral("/logonaam.dat"));
        QCOMPARE(logonaam.size(), 201);
        const QByteArray path = (w + QStringLiteral("/lidbedraglogo.jpg")).toLatin1();
        QCOMPARE(static_cast<unsigned char>(logonaam.at(0)), static_cast<unsigned char>(path.size()));
        QCOMPARE(logonaam.mid(1, path.size()), path);

        const QByteArray konfigur = fileBytes(w + QStringLiteral("/konfigur.dat"));
        QCOMPARE(konfigur.size(), 416);
        QCOMPARE(konfigur.at(0), '\0');
        QCOMPARE(konfigur.at(12), '\0'); // no backup folder yet
        QCOMPARE(konfigur.at(213), '\0');

        QVERIFY(data.settings.printLogo && data.settings.logoLinks && !data.settings.logoRechts);
        QCOMPARE(data.settings.logoPad, w + QStringLiteral("/lidbedraglogo.jpg"));
        QVERIFY(QFile::exists(data.settings.logoPad)); // the default logo comes with the folder
    }

    void shortStringsAreWindows1252AtTheirOffsets()
    {
        Instelling record;
        record.setEmailAdres(QStringLiteral("penningmeester@vereniging.nl"));
        record.setAfzenderNaam(QStringLiteral("Penningmeester Café €"));
        record.setSmtpServer(QString(55, u's')); // cut to 40
        const QByteArray b = record.bytes();
        QCOMPARE(b.size(), 146);
        QCOMPARE(b.at(3), char(28));
        QCOMPARE(b.mid(4, 28), QByteArray("penningmeester@vereniging.nl"));
        QCOMPARE(b.at(64), char(21));
        QCOMPARE(b.mid(65, 21), QByteArray("Penningmeester Caf\xe9 \x80"));
        QCOMPARE(b.at(105), char(40));
        // Reading back the bytes gives the texts again.
        const Instelling back(b);
        QCOMPARE(back.afzenderNaam(), QStringLiteral("Penningmeester Café €"));
        QCOMPARE(back.smtpServer(), QString(40, u's'));

        Konfigur konfigur;
        konfigur.setNederlandseBedragen(true);
        konfigur.setBackupMap(QStringLiteral("/media/usb/backup"));
        QCOMPARE(konfigur.bytes().at(0), '\x01');
        QCOMPARE(konfigur.bytes().at(12), char(17));
        QCOMPARE(konfigur.bytes().mid(13, 17), QByteArray("/media/usb/backup"));
    }

    void reservedBytesSurviveARewrite()
    {
        QByteArray raw(416, '\0');
        raw[1] = 7;
        raw[4] = 0x2a;
        raw[300] = 'x';
        Konfigur record(raw);
        record.setNederlandseBedragen(true);
        QCOMPARE(record.bytes().at(1), char(7));
        QCOMPARE(record.bytes().at(4), char(0x2a));
        QCOMPARE(record.bytes().at(300), 'x');
    }

    void theDutchFlagSwitchesTheAmountFormat()
    {
        test::TestHome home;
        DataModule1 data;
        data.connectDatabase();
        data.readSettings();
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1,234.50"));
        data.settings.konfigur.setNederlandseBedragen(true);
        data.writeKonfigur();
        data.readSettings();
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1.234,50"));
        data.settings.konfigur.setNederlandseBedragen(false);
        data.writeKonfigur();
        data.readSettings();
        QCOMPARE(AmountFormat::current().display(1234.5), QStringLiteral("1,234.50"));
    }

    void aTooShortFileIsReportedAndTheRestStillLoads()
    {
        test::TestHome home;
        DataModule1 data;
        data.connectDatabase();
        data.readSettings();
        data.settings.konfigur.setNederlandseBedragen(true);
        data.writeKonfigur();
        QFile shortFile(data.werkmap() + QStringLiteral("/instelling.dat"));
        QVERIFY(shortFile.open(QIODevice::WriteOnly));
        shortFile.write(QByteArray(20, '\0'));
        shortFile.close();
        try {
            data.readSettings();
            QFAIL("a 20-byte instelling.dat was accepted");
        } catch (const Error &e) {
            QVERIFY2(e.message().contains(QStringLiteral("instelling.dat")) && e.message().contains(QStringLiteral("20")),
                     qPrintable(e.message()));
        }
        QVERIFY(data.settings.printLogo);                       // defaults in memory
        QCOMPARE(AmountFormat::current().decimal, QChar(u',')); // konfigur.dat was still read
        QCOMPARE(QFileInfo(shortFile).size(), 20);              // and the damaged file is left alone
        AmountFormat::applyDutch(false);
    }

    void aFileThatIsNoRegularFileIsRefusedUnopened_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pipe"); // else a folder
        QTest::newRow("instelling.dat, a pipe") << "instelling.dat" << true;
        QTest::newRow("logonaam.dat, a pipe") << "logonaam.dat" << true;
        QTest::newRow("konfigur.dat, a pipe") << "konfigur.dat" << true;
        QTest::newRow("vereniging.txt, a pipe") << "vereniging.txt" << true;
        QTest::newRow("instelling.dat, a folder") << "instelling.dat" << false;
    }
    void aFileThatIsNoRegularFileIsRefusedUnopened()
    {
        QFETCH(QString, file);
        QFETCH(bool, pipe);
        test::TestHome home;
        DataModule1 data;
        data.connectDatabase();
        data.setVerenigingsnaam(QStringLiteral("Biljartvereniging De Keu"));
        data.readSettings();
        data.settings.instelling.setEmailAdres(QStringLiteral("kas@dekeu.nl"));
        data.writeInstelling();
        data.settings.konfigur.setNederlandseBedragen(true);
        data.writeKonfigur();
        data.writeLogonaam(QStringLiteral("/srv/logo.jpg"));
        const QString path = data.werkmap() + u'/' + file;
        QVERIFY(QFile::remove(path));
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : QDir().mkdir(path));
        {
            PipeWatch watch(path);
            try {
                data.readSettings();
                QFAIL("a settings file that is no regular file was read");
            } catch (const Error &e) {
                QCOMPARE(e.message(),
                         QStringLiteral("Het instellingenbestand %1 is geen gewoon bestand en wordt niet geopend. "
                                        "De standaardinstellingen worden gebruikt; verwijder het om het opnieuw te "
                                        "laten aanmaken.")
                             .arg(path));
            }
        }
        // Defaults for that file, the others as saved, and the odd file left as it is.
        const Settings &s = data.settings;
        QCOMPARE(s.verenigingsnaam, file == u"vereniging.txt" ? QString() : QStringLiteral("Biljartvereniging De Keu"));
        QCOMPARE(s.instelling.emailAdres(), file == u"instelling.dat" ? QString() : QStringLiteral("kas@dekeu.nl"));
        QCOMPARE(s.logoPad, file == u"logonaam.dat" ? QString() : QStringLiteral("/srv/logo.jpg"));
        QCOMPARE(AmountFormat::current().decimal, file == u"konfigur.dat" ? QChar(u'.') : QChar(u','));
        QCOMPARE(QFileInfo(path).isDir(), !pipe);
        QCOMPARE(QFileInfo(path).isFile(), false);
        AmountFormat::applyDutch(false);
    }

    void associationNameIsPerAdministrationAndCutTo40()
    {
        test::TestHome home;
        DataModule1 data;
        data.connectDatabase();
        data.setVerenigingsnaam(QStringLiteral("Schaakclub De Witte Dame uit Oud-Beijerland en omstreken"));
        QCOMPARE(data.settings.verenigingsnaam.size(), 40);
        data.switchAdministration(2);
        QCOMPARE(data.settings.verenigingsnaam, QString());
        data.switchAdministration(0);
        QVERIFY(data.settings.verenigingsnaam.startsWith(QStringLiteral("Schaakclub De Witte Dame")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settingsfiles.moc"

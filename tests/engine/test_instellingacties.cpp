// Storing what the settings screen edits, and putting a picture into the administration
// as its logo: the picture keeps its own bytes and format, a file that is no usable
// picture is refused with a Dutch message, and a failed save keeps the old logo.
#include "amountformat.h"
#include "freshdata.h"
#include "instellingacties.h"
#include "settingsfiles.h"
#include "smalldisk.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace zelk;

namespace {
QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A small picture encoded as `format`.
QByteArray picture(const char *format, QColor colour = QColor(30, 90, 160), QSize size = QSize(40, 24))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return QStringLiteral("(geen fout)");
}
} // namespace

class TestInstellingacties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedValuesLandAtTheirOffsetsCutToTheirFields()
    {
        test::FreshData data;
        instellingacties::Keuzes k = instellingacties::huidige(data);
        QVERIFY(k.printLogo && k.logoLinks && !k.logoRechts && !k.nederlandseBedragen);
        k.printLogo = false;
        k.logoLinks = false;
        k.logoRechts = true;
        k.emailAdres = QStringLiteral("kas@") + QString(70, u'x');
        k.afzenderNaam = QStringLiteral("Penningmeester Café");
        k.smtpServer = QStringLiteral("smtp.provider.nl");
        k.nederlandseBedragen = true;
        instellingacties::bewaar(data, k);

        const QByteArray instelling = bytesOf(data.werkmap() + QStringLiteral("/instelling.dat"));
        QCOMPARE(instelling.size(), Instelling::size);
        QCOMPARE(instelling.left(3), QByteArray("\x00\x00\x01", 3));
        QCOMPARE(int(instelling.at(3)), 60); // cut to 60
        QCOMPARE(instelling.mid(4, 4), QByteArray("kas@"));
        QCOMPARE(instelling.mid(64, 20), QByteArray("\x13Penningmeester Caf\xe9"));
        QCOMPARE(instelling.mid(105, 17), QByteArray("\x10smtp.provider.nl"));
        QCOMPARE(bytesOf(data.werkmap() + QStringLiteral("/konfigur.dat")).at(0), '\x01');
        // The working copies the reports use changed with the file.
        QVERIFY(!data.settings.printLogo && !data.settings.logoLinks && data.settings.logoRechts);

        // Read again, everything is as stored.
        data.readSettings();
        const instellingacties::Keuzes back = instellingacties::huidige(data);
        QCOMPARE(back.emailAdres.size(), 60);
        QCOMPARE(back.afzenderNaam, k.afzenderNaam);
        QCOMPARE(back.smtpServer, k.smtpServer);
        QVERIFY(!back.printLogo && !back.logoLinks && back.logoRechts && back.nederlandseBedragen);
        AmountFormat::applyDutch(false);
    }

    void textsThatCannotBeStoredAreNamed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("problem");
        QTest::newRow("fits") << QStringLiteral("Penningmeester Café €") << 40 << QString();
        QTest::newRow("exactly 40") << QString(40, u'a') << 40 << QString();
        QTest::newRow("too long") << QString(41, u'a') << 40 << QStringLiteral("ten hoogste 40 tekens, niet 41");
        QTest::newRow("line break") << QStringLiteral("a\r\nBcc: x@y.nl") << 60
                                    << QStringLiteral("een regeleinde of ander stuurteken kan niet worden bewaard");
        QTest::newRow("outside Windows-1252") << QStringLiteral(
            "Łódź") << 40 << QStringLiteral("bevat een teken dat het instellingenbestand niet kan bewaren (alleen Windows-1252)");
    }
    void textsThatCannotBeStoredAreNamed()
    {
        QFETCH(QString, text);
        QFETCH(int, max);
        QFETCH(QString, problem);
        QCOMPARE(instellingacties::tekstProbleem(text, max), problem);
    }

    void aPictureIsRecognisedByItsContents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("extensie"); // empty: refused
        QTest::addColumn<QString>("reason");
        QTest::newRow("bmp") << "logo.bmp" << picture("BMP") << "bmp" << QString();
        QTest::newRow("jpg") << "logo.jpg" << picture("JPEG") << "jpg" << QString();
        QTest::newRow("jpeg") << "logo.jpeg" << picture("JPEG") << "jpg" << QString();
        QTest::newRow("png") << "logo.png" << picture("PNG") << "png" << QString();
        QTest::newRow("a png named .jpg") << "logo.jpg" << picture("PNG") << "png" << QString();
        QTest::newRow("text named .jpg") << "logo.jpg" << QByteArray("geen plaatje\n") << QString()
                                         << "het is geen JPEG-, BMP- of PNG-afbeelding, of het bestand is beschadigd.";
        QTest::newRow("cut off jpeg") << "logo.jpg" << picture("JPEG").left(20) << QString()
                                      << "het is geen JPEG-, BMP- of PNG-afbeelding, of het bestand is beschadigd.";
        // The smallest GIF there is (Qt reads GIF but does not write it).
        const QByteArray gif(
            "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;", 35);
        QTest::newRow("gif") << "logo.gif" << gif << QString() << "het is geen JPEG-, BMP- of PNG-afbeelding maar een GIF-bestand.";
        QTest::newRow("empty") << "logo.bmp" << QByteArray() << QString()
                               << "het is geen JPEG-, BMP- of PNG-afbeelding, of het bestand is beschadigd.";
    }
    void aPictureIsRecognisedByItsContents()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, extensie);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        writeBytes(path, bytes);
        if (extensie.isEmpty()) {
            QCOMPARE(errorOf([&] { instellingacties::laadPlaatje(path); }),
                     QStringLiteral("De afbeelding %1 kan niet worden geladen: %2").arg(path, reason));
            return;
        }
        const instellingacties::Plaatje plaatje = instellingacties::laadPlaatje(path);
        QCOMPARE(plaatje.extensie, extensie);
        QCOMPARE(plaatje.bytes, bytes);
        QCOMPARE(plaatje.image.size(), QSize(40, 24));
        QCOMPARE(plaatje.bron, path);
    }

    void whatIsNoFileIsNotOpened()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("weg.jpg"));
        QCOMPARE(errorOf([&] { instellingacties::laadPlaatje(missing); }),
                 QStringLiteral("De afbeelding %1 kan niet worden geladen: het bestand bestaat niet.").arg(missing));
        QCOMPARE(errorOf([&] { instellingacties::laadLogo(missing); }),
                 QStringLiteral("De afbeelding %1 kan niet worden geladen: het bestand bestaat niet.").arg(missing));
        const QString folder = dir.filePath(QStringLiteral("map.jpg"));
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(errorOf([&] { instellingacties::laadPlaatje(folder); }),
                 QStringLiteral("De afbeelding %1 kan niet worden geladen: het is geen gewoon bestand.").arg(folder));
        const QString pipe = dir.filePath(QStringLiteral("pijp.bmp"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(errorOf([&] { instellingacties::laadLogo(pipe); }),
                 QStringLiteral("De afbeelding %1 kan niet worden geladen: het is geen gewoon bestand.").arg(pipe));
        QCOMPARE(errorOf([&] { instellingacties::laadLogo(QString()); }), QStringLiteral("Er is geen logo ingesteld."));
    }

    void aNewLogoKeepsItsBytesAndIsNamedInLogonaam()
    {
        test::FreshData data;
        QTemporaryDir dir;
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        writeBytes(bmp, picture("BMP", Qt::darkGreen));
        const QString target = instellingacties::zetLogoOver(data, instellingacties::laadPlaatje(bmp));
        QCOMPARE(target, data.werkmap() + QStringLiteral("/lidbedraglogo.bmp"));
        QCOMPARE(bytesOf(target), bytesOf(bmp)); // not re-encoded
        QCOMPARE(data.settings.logoPad, target);
        QCOMPARE(settingsfiles::readLogonaam(data.werkmap(), QString()).path(), target);
        QVERIFY(QFile::exists(data.werkmap() + QStringLiteral("/lidbedraglogo.jpg"))); // the old logo is left alone

        // A JPEG goes back to lidbedraglogo.jpg, replacing the default logo there.
        const QString jpg = dir.filePath(QStringLiteral("foto.jpeg"));
        writeBytes(jpg, picture("JPEG", Qt::yellow));
        QCOMPARE(instellingacties::zetLogoOver(data, instellingacties::laadPlaatje(jpg)),
                 data.werkmap() + QStringLiteral("/lidbedraglogo.jpg"));
        QCOMPARE(bytesOf(data.werkmap() + QStringLiteral("/lidbedraglogo.jpg")), bytesOf(jpg));
        QCOMPARE(settingsfiles::readLogonaam(data.werkmap(), QString()).path(), data.werkmap() + QStringLiteral("/lidbedraglogo.jpg"));
        QCOMPARE(instellingacties::laadLogo(data.settings.logoPad).pixel(1, 1), QColor(Qt::yellow).rgb());

        // Nothing loaded: nothing is saved, logonaam.dat is not written.
        const QByteArray logonaam = bytesOf(data.werkmap() + QStringLiteral("/logonaam.dat"));
        QCOMPARE(errorOf([&] { instellingacties::zetLogoOver(data, {}); }),
                 QStringLiteral("Er is geen nieuw logo geladen; kies eerst met \"Laad logo\" een afbeelding."));
        QCOMPARE(bytesOf(data.werkmap() + QStringLiteral("/logonaam.dat")), logonaam);
    }

    void aFullDiskKeepsTheOldLogo()
    {
        test::TestHome home;
        test::SmallDisk disk(home.path());
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        DataModule1 data;
        data.openForUse();
        const QString werkmap = data.werkmap();
        QTemporaryDir dir;
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        writeBytes(bmp, picture("BMP", Qt::red, QSize(300, 200)));
        const instellingacties::Plaatje plaatje = instellingacties::laadPlaatje(bmp);
        const QByteArray logonaam = bytesOf(werkmap + QStringLiteral("/logonaam.dat"));
        const QByteArray logo = bytesOf(werkmap + QStringLiteral("/lidbedraglogo.jpg"));
        const QStringList before = QDir(werkmap).entryList(QDir::Files | QDir::Hidden);

        QVERIFY(disk.fill());
        QCOMPARE(errorOf([&] { instellingacties::zetLogoOver(data, plaatje); }),
                 QStringLiteral("Het bestand %1/lidbedraglogo.bmp kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.")
                     .arg(werkmap));
        QCOMPARE(bytesOf(werkmap + QStringLiteral("/logonaam.dat")), logonaam);
        QCOMPARE(bytesOf(werkmap + QStringLiteral("/lidbedraglogo.jpg")), logo);
        QCOMPARE(QDir(werkmap).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(data.settings.logoPad, werkmap + QStringLiteral("/lidbedraglogo.jpg"));

        // Settings that do not change are not rewritten, so closing unchanged works on a
        // full disk; a change is refused with the reason and the old file stays.
        instellingacties::Keuzes k = instellingacties::huidige(data);
        instellingacties::bewaar(data, k);
        const QByteArray instelling = bytesOf(werkmap + QStringLiteral("/instelling.dat"));
        k.emailAdres = QStringLiteral("kas@dobbertje.nl");
        QCOMPARE(errorOf([&] { instellingacties::bewaar(data, k); }),
                 QStringLiteral("Het bestand %1/instelling.dat kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.")
                     .arg(werkmap));
        QCOMPARE(bytesOf(werkmap + QStringLiteral("/instelling.dat")), instelling);
        QCOMPARE(data.settings.instelling.emailAdres(), QString()); // memory says what is stored
    }
};

QTEST_MAIN(TestInstellingacties)
#include "test_instellingacties.moc"

// Saving files: a save replaces a file whole or not at all. On a small file system that
// really fills up, every kind of file the program saves keeps its old contents and the
// treasurer is told why.
#include "administraties.h"
#include "databases.h"
#include "filesave.h"
#include "ledenimport.h"
#include "report/reportdocument.h"
#include "report/reportexport.h"
#include "reports/printrekeningen.h"
#include "smalldisk.h"
#include "store/connection.h"
#include "testhome.h"
#include "zelkerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

class TestFileSave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aSaveReplacesTheWholeFileAndKeepsItsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instelling.dat"));
        saveFile(path, "eerste");
        QCOMPARE(bytesOf(path), QByteArray("eerste"));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        saveFile(path, QByteArray("tweede, langer"));
        QCOMPARE(bytesOf(path), QByteArray("tweede, langer"));
        QCOMPARE(QFile::permissions(path),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
        saveFile(path, QByteArray());
        QCOMPARE(bytesOf(path), QByteArray());
        QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("instelling.dat")}); // no temporary file left
    }

    void aMissingFolderIsNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("weg/leden.csv"));
        try {
            saveFile(path, "x");
            QFAIL("saved into a folder that does not exist");
        } catch (const Error &e) {
            QCOMPARE(e.message(),
                     QStringLiteral("Het bestand %1 kan niet worden opgeslagen: de map %2 bestaat niet.")
                         .arg(path, dir.filePath(QStringLiteral("weg"))));
        }
        QVERIFY(!QFile::exists(path));
    }

    void aFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind :
             {"instelling.dat", "logonaam.dat", "konfigur.dat", "vereniging.txt", "zelk.cfg", "ledenexport", "pdf-overzicht", "tabelkopie"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void aFullDiskKeepsTheOldFile()
    {
        QFETCH(QString, kind);
        test::TestHome home;
        test::SmallDisk disk(home.path());
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        const QString werkmap = home.administration(0);
        const QString export_ = home.path() + QStringLiteral("/uitvoer");
        QVERIFY(QDir().mkpath(export_));
        {
            // The files as they are before the disk fills up.
            DataModule1 data;
            data.openForUse();
            data.switchAdministration(1); // so that zelk01 exists to be chosen later
            data.switchAdministration(0);
            data.setVerenigingsnaam(QStringLiteral("Hengelsportvereniging Het Dobbertje"));
            data.ledentabel.append();
            data.ledentabel.setValue(u"Naam", QStringLiteral("Jansen"));
            data.ledentabel.post();
        }
        writeBytes(export_ + QStringLiteral("/leden.csv"), "oude ledenlijst\n");
        writeBytes(export_ + QStringLiteral("/rekeningen.pdf"), "oud overzicht\n");
        writeBytes(export_ + QStringLiteral("/hulp.db"), "oude kopie\n");

        DataModule1 data;
        data.openForUse();
        const QMap<QString, QString> pathOf = {
            {QStringLiteral("instelling.dat"), werkmap + QStringLiteral("/instelling.dat")},
            {QStringLiteral("logonaam.dat"), werkmap + QStringLiteral("/logonaam.dat")},
            {QStringLiteral("konfigur.dat"), werkmap + QStringLiteral("/konfigur.dat")},
            {QStringLiteral("vereniging.txt"), werkmap + QStringLiteral("/vereniging.txt")},
            {QStringLiteral("zelk.cfg"), administraties::aliasFile()},
            {QStringLiteral("ledenexport"), export_ + QStringLiteral("/leden.csv")},
            {QStringLiteral("pdf-overzicht"), export_ + QStringLiteral("/rekeningen.pdf")},
            {QStringLiteral("tabelkopie"), export_ + QStringLiteral("/hulp.db")},
        };
        const QString path = pathOf.value(kind);
        const QByteArray before = bytesOf(path);
        QVERIFY(!before.isEmpty());

        const auto save = [&] {
            if (kind == u"instelling.dat") {
                data.settings.instelling.setEmailAdres(QStringLiteral("penningmeester@dobbertje.nl"));
                data.writeInstelling();
            } else if (kind == u"logonaam.dat") {
                data.writeLogonaam(QStringLiteral("/media/foto/logo.jpg"));
            } else if (kind == u"konfigur.dat") {
                data.settings.konfigur.setBackupMap(QStringLiteral("/media/usb/backup"));
                data.writeKonfigur();
            } else if (kind == u"vereniging.txt") {
                data.setVerenigingsnaam(QStringLiteral("HSV Het Dobbertje"));
            } else if (kind == u"zelk.cfg") {
                data.switchAdministration(1);
            } else if (kind == u"ledenexport") {
                ledenimport::exportCsv(data.ledentabel, path);
            } else if (kind == u"pdf-overzicht") {
                ReportDocument document(printrekeningen(data).report());
                exportReport(document, ExportFormat::Pdf, path);
            } else {
                copyTableFile(data.database1(), schemas::hulp(), path);
            }
        };

        QVERIFY(disk.fill());
        const QStringList filesBefore = listing(QFileInfo(path).absolutePath());
        try {
            save();
            QFAIL("a save on a full disk reported success");
        } catch (const Error &e) {
            if (kind != u"tabelkopie") // SQLite says it in its own words
                QCOMPARE(e.message(),
                         QStringLiteral("Het bestand %1 kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.").arg(path));
        }
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(listing(QFileInfo(path).absolutePath()), filesBefore); // nothing half written beside it

        if (kind == u"zelk.cfg") {
            // The program still runs on the administration it had, and a later start opens it.
            QCOMPARE(data.werkmap(), werkmap);
            QCOMPARE(data.rekeningtabel.recordCount(), 37);
            DataModule1 later;
            later.openForUse();
            QCOMPARE(later.werkmap(), werkmap);
            QCOMPARE(later.takeNotice(), QString());
        }

        // With room again the same save goes through.
        disk.free();
        save();
        QVERIFY(bytesOf(path) != before);
    }
};

QTEST_MAIN(TestFileSave)
#include "test_filesave.moc"

// zelk-cli on a disk that is full: every command that saves a file ends with a non-zero
// exit code and the reason on stderr, and the file it would have replaced is unchanged.
#include "clirun.h"
#include "smalldisk.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace zelk;

namespace {
QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(ontbreekt)");
}
} // namespace

class TestCliFullDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savesFailLoudlyAndKeepTheOldFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file"); // relative to the home
        QTest::newRow("report txt") << QStringList{"report", "rekeningen", "-o", "uit/rekeningen.txt"} << "uit/rekeningen.txt";
        QTest::newRow("report csv") << QStringList{"report", "balans", "-o", "uit/balans.csv"} << "uit/balans.csv";
        QTest::newRow("report html") << QStringList{"report", "leden", "-o", "uit/leden.html"} << "uit/leden.html";
        QTest::newRow("report pdf") << QStringList{"report", "balans", "-o", "uit/balans.pdf"} << "uit/balans.pdf";
        QTest::newRow("members export") << QStringList{"members", "export", "uit/leden.csv"} << "uit/leden.csv";
        QTest::newRow("association name") << QStringList{"init", "--name", "HSV Het Dobbertje"} << "zelk/vereniging.txt";
        QTest::newRow("choice of administration") << QStringList{"admin", "1"} << "zelk.cfg";
    }
    void savesFailLoudlyAndKeepTheOldFile()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        test::TestHome home;
        test::SmallDisk disk(home.path());
        if (!disk.usable())
            QSKIP(qPrintable(disk.whyNot()));
        QCOMPARE(test::cli({"init", "--name", "Hengelsportvereniging"}).exitCode, 0);
        QCOMPARE(test::cli({"admin", "1"}).exitCode, 0); // zelk01 exists, so only the alias is saved later
        QCOMPARE(test::cli({"admin", "0"}).exitCode, 0);
        QCOMPARE(test::cli({"book", "7", "1", "25.00", "Contributie"}).exitCode, 0);
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("uit")));
        const QString path = QDir(home.path()).filePath(file);
        if (!QFile::exists(path)) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("het vorige bestand\n");
        }
        const QByteArray before = bytesOf(path);
        QDir::setCurrent(home.path());

        QVERIFY(disk.fill());
        const test::CliRun run = test::cli(args);
        QCOMPARE(run.exitCode, 1);
        // A command that changes something cannot even take the writer lock on a full disk,
        // and says so before it starts; a reading command fails at its own save.
        const bool writer = args.first() == QLatin1String("init") || args.first() == QLatin1String("admin");
        QVERIFY2(writer ? run.err.startsWith(QStringLiteral("Fout: Het slotbestand "))
                         && run.err.contains(QStringLiteral("de schijf is vol of de map is niet beschrijfbaar. Er is niets gewijzigd."))
                        : run.err.startsWith(QStringLiteral("Fout: Het bestand "))
                         && run.err.contains(file + QStringLiteral(" kan niet worden opgeslagen: de schijf is vol of niet beschrijfbaar.")),
                 qPrintable(run.err));
        QVERIFY2(!run.out.contains(QStringLiteral("geschreven")), qPrintable(run.out));
        QCOMPARE(bytesOf(path), before);

        // The next start works on the same administration, full disk or not.
        const test::CliRun accounts = test::cli({"accounts"});
        QCOMPARE(accounts.exitCode, 0);
        QCOMPARE(accounts.out.count(u'\n'), 37);
        QCOMPARE(test::cli({"admin"}).out, QStringLiteral("0\tZelk (standaard)\t%1\n").arg(home.administration(0)));
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_GUILESS_MAIN(TestCliFullDisk)
#include "test_cli_fulldisk.moc"

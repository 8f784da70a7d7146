// The length of a text field: counted in characters as the store counts them (an emoji is
// one character), never cut and never split: a text that does not fit is refused with the
// field and its length named, and a booking refused for it leaves nothing behind.
#include "boekingen.h"
#include "databases.h"
#include "freshdata.h"
#include "store/fieldlength.h"
#include "store/sqlite.h"
#include "zelkerror.h"

#include <QTest>

using namespace zelk;

namespace {
const QString thumbsUp = QStringLiteral("\U0001F44D");                 // one character, two UTF-16 units
const QString thumbsUpMedium = QStringLiteral("\U0001F44D\U0001F3FD"); // with a skin tone: two characters, one to the eye
const QString dutchFlag = QStringLiteral("\U0001F1F3\U0001F1F1");      // two regional letters, one flag
const QString eAcute = QStringLiteral("e\u0301");                      // e and a combining accent
} // namespace

class TestFieldlength : public QObject {
    Q_OBJECT
    std::unique_ptr<test::FreshData> data;

    double balance(int position) { return data->rekeningtabel.valueAt(position - 1, u"Saldo").toDouble(); }

private Q_SLOTS:
    void init() { data = std::make_unique<test::FreshData>(); }
    void cleanup() { data.reset(); }

    void charactersAreCountedAsTheStoreCountsThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("characters");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("plain") << QStringLiteral("Contributie") << 11;
        QTest::newRow("accented letter") << QStringLiteral("café") << 4;
        QTest::newRow("combining accent") << eAcute << 2;
        QTest::newRow("emoji") << thumbsUp << 1;
        QTest::newRow("emoji with skin tone") << thumbsUpMedium << 2;
        QTest::newRow("flag") << dutchFlag << 2;
        QTest::newRow("euro sign") << QStringLiteral("€ 25") << 4;
    }
    void charactersAreCountedAsTheStoreCountsThem()
    {
        QFETCH(QString, text);
        QFETCH(int, characters);
        QCOMPARE(fieldlength::characters(text), characters);
        // SQLite's own count of the stored text agrees.
        sql::Statement length(data->database1().handle(), QStringLiteral("SELECT length(?)"));
        length.bind(1, text.isEmpty() ? QStringLiteral("") : text);
        QVERIFY(length.step());
        QCOMPARE(length.columnInt(0), characters);
    }

    void aTextIsShortenedOnlyBetweenWholeCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("kept");
        const QString x39(39, u'x');
        QTest::newRow("fits") << QStringLiteral("Zaalhuur") << 40 << QStringLiteral("Zaalhuur");
        QTest::newRow("plain text") << QString(61, u'a') << 40 << QString(40, u'a');
        QTest::newRow("emoji at the 40th place") << x39 + thumbsUp + QStringLiteral("yz") << 40 << x39 + thumbsUp;
        QTest::newRow("emoji after the 40th place") << x39 + u'x' + thumbsUp << 40 << x39 + u'x';
        QTest::newRow("skin tone across the 40th place") << x39 + thumbsUpMedium << 40 << x39;
        QTest::newRow("flag across the 40th place") << x39 + dutchFlag << 40 << x39;
        QTest::newRow("accent across the 40th place") << x39 + eAcute << 40 << x39;
        QTest::newRow("nothing fits") << thumbsUpMedium << 1 << QString();
    }
    void aTextIsShortenedOnlyBetweenWholeCharacters()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        QFETCH(QString, kept);
        QCOMPARE(fieldlength::fitting(text, size), kept);
    }

    void aDescriptionThatFitsIsStoredWholeAndOneTooLongBooksNothing()
    {
        const QString fits = QString(39, u'x') + thumbsUp; // 40 characters, 41 UTF-16 units
        boekingen::inkomsten(*data, 7, 1, {fits, QDate(2026, 3, 1), 25.0});
        const QString tooLong = QStringLiteral("Contributie voorjaar en najaar van de jeugdleden en senioren").leftJustified(61, u'.');
        try {
            boekingen::inkomsten(*data, 8, 25, {tooLong, QDate(2026, 3, 2), 10.0});
            QFAIL("a description of 61 characters was booked");
        } catch (const Error &e) {
            QCOMPARE(e.message(),
                     QStringLiteral("De tekst voor het veld Omschrijving is 61 tekens lang; er passen er ten hoogste 40 in. "
                                    "Maak de tekst korter."));
        }
        // Read back from the files: the first booking whole, nothing of the second.
        data->disconnectDatabase();
        data->openForUse();
        QCOMPARE(data->journaaltabel.recordCount(), 1);
        QCOMPARE(data->journaaltabel.valueAt(0, u"Omschrijving").toString(), fits);
        QCOMPARE(balance(8), 0.0);
        QCOMPARE(balance(25), 0.0);
        QCOMPARE(data->ontvangentabel.recordCount(), 0);
    }

    void halfACharacterIsRefusedRatherThanStoredAsAQuestionMark()
    {
        Table &accounts = data->rekeningtabel;
        accounts.first();
        accounts.edit();
        const QString half = QStringLiteral("Bank ") + thumbsUp.at(0);
        QVERIFY_THROWS_EXCEPTION(Error, accounts.setValue(u"Naam", half));
        accounts.cancel();
        QCOMPARE(accounts.text(u"Naam"), QStringLiteral("Bank 1"));
    }
};

QTEST_MAIN(TestFieldlength)
#include "test_fieldlength.moc"

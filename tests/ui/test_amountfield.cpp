// The amount field: plain text while editing, the display format otherwise, the value
// taken on Enter, on leaving and from the calculator, under both amount formats; a text
// that is no amount in the current format is marked and never read as 0.
#include "amountformat.h"
#include "screendriver.h"
#include "testhome.h"
#include "toolkit/amountfield.h"
#include "toolkit/calculator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace zelk;

using test::redPixels;
using test::typeText;

class TestAmountField : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { AmountFormat::applyDutch(false); }

    void showsTheDisplayFormatAndKeepsThePlainText_data()
    {
        QTest::addColumn<bool>("dutch");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("plain");
        QTest::newRow("thousands") << false << 1234.5 << "1,234.50"
                                   << "1234.50";
        QTest::newRow("negative") << false << -0.2 << "-0.20"
                                  << "-0.20";
        QTest::newRow("Dutch") << true << 1234567.891 << "1.234.567,89"
                               << "1234567,89";
    }
    void showsTheDisplayFormatAndKeepsThePlainText()
    {
        QFETCH(bool, dutch);
        QFETCH(double, amount);
        QFETCH(QString, shown);
        QFETCH(QString, plain);
        AmountFormat::applyDutch(dutch);
        AmountField field;
        field.setValue(amount);
        QCOMPARE(field.text(), shown);
        QCOMPARE(field.plainText(), plain);
    }

    void enterTakesTheValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("taken");
        QTest::addColumn<QString>("plainAfter");
        QTest::newRow("whole") << "25" << 25.0 << "25.00";
        QTest::newRow("rounded to what is shown") << "12.345" << 12.35 << "12.35";
        QTest::newRow("not an amount") << "abc" << 0.0 << "abc";
        QTest::newRow("empty") << "" << 0.0 << "";
    }
    void enterTakesTheValue()
    {
        QFETCH(QString, typed);
        QFETCH(double, taken);
        QFETCH(QString, plainAfter);
        AmountField field;
        QSignalSpy spy(&field, &AmountField::amountTaken);
        QTest::keyClicks(&field, typed);
        QCOMPARE(field.text(), typed); // editing shows the plain text
        QTest::keyClick(&field, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toDouble(), taken);
        QCOMPARE(field.plainText(), plainAfter);
        QCOMPARE(field.value(), taken);
    }

    void anAmountThatCannotBeBookedIsRefusedAloud_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("1e17") << "1e17";
        QTest::newRow("sixteen digits pasted") << "1234567890123456";
        QTest::newRow("ten digits") << "10000000000";
        QTest::newRow("beyond a double") << "1e400";
    }
    void anAmountThatCannotBeBookedIsRefusedAloud()
    {
        QFETCH(QString, typed);
        QWidget window;
        auto *field = new AmountField(&window);
        window.show();
        QSignalSpy spy(field, &AmountField::amountTaken);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toDouble(), 0.0); // nothing pending
        QCOMPARE(field->plainText(), typed);       // the text stays as typed, to be corrected
        QCOMPARE(field->value(), 0.0);
        auto *box = field->findChild<QMessageBox *>(QStringLiteral("foutmelding"));
        QVERIFY(box);
        QVERIFY(field->isMarked());
        QCOMPARE(field->toolTip(), box->text());
        QVERIFY2(box->text().contains(QStringLiteral("bedrag")), qPrintable(box->text()));
        QVERIFY(!box->text().contains(QStringLiteral("-92")));
        box->close();
    }

    void aTextThatIsNoAmountIsMarkedAndNeverReadAsZero_data()
    {
        QTest::addColumn<bool>("dutch");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("example");
        QTest::newRow("decimal comma") << false << "12,50"
                                       << "12.50";
        QTest::newRow("thousands separator") << false << "1,250.00"
                                             << "12.50";
        QTest::newRow("euro sign") << false << "€ 25"
                                   << "12.50";
        QTest::newRow("currency code") << false << "EUR 25"
                                       << "12.50";
        QTest::newRow("Dutch: decimal point") << true << "12.50"
                                              << "12,50";
        QTest::newRow("Dutch: thousands separator") << true << "1.250,00"
                                                    << "12,50";
    }
    void aTextThatIsNoAmountIsMarkedAndNeverReadAsZero()
    {
        QFETCH(bool, dutch);
        QFETCH(QString, typed);
        QFETCH(QString, example);
        AmountFormat::applyDutch(dutch);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *field = new AmountField(&window);
        auto *other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QVERIFY(!field->isMarked());
        QCOMPARE(redPixels(field), 0);
        QSignalSpy spy(field, &AmountField::amountTaken);
        typeText(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toDouble(), 0.0); // nothing pending
        QCOMPARE(field->plainText(), typed);       // kept as typed, never "0.00"
        QVERIFY(!field->amount());
        QVERIFY(field->isMarked());
        QCOMPARE(field->toolTip(), QStringLiteral("Niet te lezen als bedrag; schrijf bijvoorbeeld ") + example);
        QVERIFY(redPixels(field) > 20);
        // Leaving the field keeps the text and the mark.
        other->setFocus();
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->text(), typed);
        QVERIFY(field->isMarked());
        // Corrected, the mark goes.
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, example);
        QVERIFY(!field->isMarked());
        QVERIFY(field->toolTip().isEmpty());
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(spy.last().at(0).toDouble(), 12.5);
        QCOMPARE(redPixels(field), 0);
    }

    void aBeginningOfAnAmountIsMarkedOnlyWhenTaken()
    {
        AmountField field;
        QTest::keyClicks(&field, QStringLiteral("-"));
        QVERIFY(!field.isMarked()); // still typing "-12.50"
        QTest::keyClicks(&field, QStringLiteral("12,"));
        QVERIFY(field.isMarked()); // no amount will come of this
        QTest::keyClick(&field, Qt::Key_Backspace);
        QVERIFY(!field.isMarked());
        QTest::keyClick(&field, Qt::Key_Return);
        QCOMPARE(field.plainText(), QStringLiteral("-12.00"));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, QStringLiteral("1e"));
        QVERIFY(!field.isMarked());
        QTest::keyClick(&field, Qt::Key_Return);
        QVERIFY(field.isMarked());
        QCOMPARE(field.plainText(), QStringLiteral("1e"));
    }

    void anAmountTakenIsGivenUpWhenItsTextStopsBeingAnAmount()
    {
        AmountField field;
        QSignalSpy spy(&field, &AmountField::amountTaken);
        QTest::keyClicks(&field, QStringLiteral("25"));
        QTest::keyClick(&field, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toDouble(), 25.0);
        QTest::keyClicks(&field, QStringLiteral(",5"));
        QCOMPARE(field.text(), QStringLiteral("25.00,5"));
        QCOMPARE(spy.count(), 2); // at once, not only when the field is left
        QCOMPARE(spy.last().at(0).toDouble(), 0.0);
    }

    void anAccountClickTakesOnlyAnAmountAndSaysWhyOtherwise()
    {
        QWidget window;
        auto *field = new AmountField(&window);
        window.show();
        field->setPlainText(QStringLiteral("12.345"));
        const auto taken = field->convertText();
        QVERIFY(taken);
        QCOMPARE(*taken, 12.35);
        QCOMPARE(field->plainText(), QStringLiteral("12.35"));
        QVERIFY(field->findChildren<QMessageBox *>().isEmpty());
        field->setPlainText(QStringLiteral("12,50"));
        for (bool convert : {true, false}) {
            QVERIFY(!(convert ? field->convertText() : field->checkedValue()));
            QCOMPARE(field->plainText(), QStringLiteral("12,50"));
            QVERIFY(field->isMarked());
            auto *box = field->findChild<QMessageBox *>(QStringLiteral("foutmelding"));
            QVERIFY(box);
            QCOMPARE(box->text(),
                     QStringLiteral("\"12,50\" is niet te lezen als bedrag. Schrijf een bedrag met een punt voor de "
                                    "centen, zonder scheidingsteken voor de duizendtallen en zonder valutateken, "
                                    "bijvoorbeeld 1250.00. Er wordt niets geboekt zolang het bedrag niet te lezen is."));
            delete box;
        }
    }

    void leavingTheFieldTakesTheValueAndShowsTheDisplayFormat()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *field = new AmountField(&window);
        auto *other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QSignalSpy spy(field, &AmountField::amountTaken);
        QTest::keyClicks(field, QStringLiteral("2500"));
        other->setFocus();
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toDouble(), 2500.0);
        QCOMPARE(field->text(), QStringLiteral("2,500.00"));
        field->setFocus();
        QTRY_COMPARE(field->text(), QStringLiteral("2500.00")); // editing again: the plain text
    }

    void theCalculatorHandsItsResultToTheField_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<double>("result");
        QTest::newRow("sum") << QStringList{"1", "2", "+", "3", "="} << 15.0;
        QTest::newRow("from the field's value") << QStringList{"*", "2", "="} << 20.0;
        QTest::newRow("decimals") << QStringList{"C", "7", ".", "5", "/", "3", "="} << 2.5;
        QTest::newRow("division by zero") << QStringList{"C", "4", "/", "0", "="} << 0.0;
    }
    void theCalculatorHandsItsResultToTheField()
    {
        QFETCH(QStringList, keys);
        QFETCH(double, result);
        AmountField field;
        field.setValue(10);
        QSignalSpy spy(&field, &AmountField::amountTaken);
        field.openCalculator();
        QVERIFY(field.calculator()->isVisible());
        test::saveScreenshot(field.calculator(), QStringLiteral("rekenmachine"));
        for (const QString &key : keys)
            field.calculator()->press(key);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toDouble(), result);
        QCOMPARE(field.value(), result);
        QVERIFY(!field.calculator()->isVisible());
    }
};

QTEST_MAIN(TestAmountField)
#include "test_amountfield.moc"

#include "amountformat.h"

#include <QTest>
#include <cmath>
#include <limits>

using zelk::AmountFormat;

class TestAmountFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void display_data()
    {
        QTest::addColumn<bool>("dutch");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("currency");
        QTest::newRow("default") << false << 1234.5 << "1,234.50"
                                 << "€ 1,234.50";
        QTest::newRow("dutch") << true << 1234.5 << "1.234,50"
                               << "€ 1.234,50";
        QTest::newRow("negative") << false << -1234.5 << "-1,234.50"
                                  << "-€ 1,234.50";
        QTest::newRow("millions") << false << 1234567.891 << "1,234,567.89"
                                  << "€ 1,234,567.89";
        QTest::newRow("small negative rounds away") << false << -0.005 << "-0.01"
                                                    << "-€ 0.01";
        QTest::newRow("zero") << true << 0.0 << "0,00"
                              << "€ 0,00";
        QTest::newRow("hundreds no separator") << false << 999.999 << "1,000.00"
                                               << "€ 1,000.00";
        QTest::newRow("never minus zero") << false << -0.004 << "0.00"
                                          << "€ 0.00";
        QTest::newRow("negative zero") << false << -0.0 << "0.00"
                                       << "€ 0.00";
        QTest::newRow("beyond whole cents") << false << -1e17 << "-100,000,000,000,000,000.00"
                                            << "-€ 100,000,000,000,000,000.00";
        QTest::newRow("largest double") << false << std::numeric_limits<double>::max()
                                        << AmountFormat().display(std::numeric_limits<double>::max())
                                        << "€ " + AmountFormat().display(std::numeric_limits<double>::max());
        QTest::newRow("not a number") << false << std::nan("") << "ongeldig"
                                      << "ongeldig";
        QTest::newRow("infinity") << false << -std::numeric_limits<double>::infinity() << "ongeldig"
                                  << "ongeldig";
    }
    void display()
    {
        QFETCH(bool, dutch);
        QFETCH(double, amount);
        QFETCH(QString, shown);
        QFETCH(QString, currency);
        AmountFormat::applyDutch(dutch);
        QCOMPARE(AmountFormat::current().display(amount), shown);
        QCOMPARE(AmountFormat::current().currency(amount), currency);
        QCOMPARE(AmountFormat::isNegative(amount), shown.startsWith(u'-'));
        AmountFormat::applyDutch(false);
    }

    void plainIsSafeForAnyDouble()
    {
        const AmountFormat f;
        QCOMPARE(f.plain(1e17), QStringLiteral("100000000000000000.00"));
        QCOMPARE(f.plain(-0.001), QStringLiteral("0.00"));
        QCOMPARE(f.plain(std::nan("")), QStringLiteral("ongeldig"));
        QVERIFY(f.display(std::numeric_limits<double>::max()).startsWith(QStringLiteral("179,769,313")));
    }

    void parse_data()
    {
        QTest::addColumn<bool>("dutch");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("blanks inside") << false << "  1 234.50 " << true << 1234.5;
        QTest::newRow("only blanks") << false << "   " << true << 0.0;
        QTest::newRow("exponent") << false << "1e3" << true << 1000.0;
        QTest::newRow("negative") << false << "-3.25" << true << -3.25;
        QTest::newRow("dutch comma") << true << "12,50" << true << 12.5;
        QTest::newRow("dutch rejects dot") << true << "12.50" << false << 0.0;
        QTest::newRow("thousands refused") << false << "1,234.50" << false << 0.0;
        QTest::newRow("letters") << false << "twaalf" << false << 0.0;
        QTest::newRow("plus sign") << false << "+7" << true << 7.0;
        // Too large for a double: an infinity, which every place that books refuses aloud.
        QTest::newRow("overflow") << false << "1e999" << true << std::numeric_limits<double>::infinity();
    }
    void parse()
    {
        QFETCH(bool, dutch);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        AmountFormat::applyDutch(dutch);
        const auto parsed = AmountFormat::current().parse(text);
        AmountFormat::applyDutch(false);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }
};

QTEST_GUILESS_MAIN(TestAmountFormat)
#include "test_amountformat.moc"

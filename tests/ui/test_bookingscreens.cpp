// Several hundred bookings and settlements made through the screens, in a random but
// repeatable order, keep the books consistent: zelk-cli check finds the balances summing
// to zero, the journal numbered 1, 2, 3 … and every table sound.
#include "bookkeeping/invoerstartbalans.h"
#include "bookkeeping/openitemsscreen.h"
#include "bookkeeping/transferscreen.h"
#include "clirun.h"
#include "core/main.h"
#include "core/startup.h"
#include "databases.h"
#include "screendriver.h"
#include "startedprogram.h"
#include "toolkit/accountgroup.h"
#include "toolkit/amountfield.h"
#include "toolkit/boundgrid.h"

#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

using namespace zelk;

class TestBookingScreens : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;
    QRandomGenerator random{20261209};

    DataModule1 &data() { return app->data(); }
    QString randomAmount() { return QStringLiteral("%1.%2").arg(random.bounded(1, 500)).arg(random.bounded(0, 100), 2, 10, QChar(u'0')); }

    void bookWith(TransferScreen *screen)
    {
        test::clickRadio(screen->fromGroup()->button(random.bounded(screen->fromGroup()->count())));
        test::typeAmount(screen->amountField(), randomAmount());
        test::clickRadio(screen->toGroup()->button(random.bounded(screen->toGroup()->count())));
        QVERIFY(screen->doorboekenButton()->isEnabled());
        screen->doorboekenButton()->click();
    }
    void settleWith(OpenItemsScreen *screen)
    {
        const int rows = screen->grid()->tableModel()->rowCount();
        if (rows == 0)
            return;
        const int row = random.bounded(rows);
        screen->grid()->scrollTo(screen->grid()->tableModel()->index(row, 1));
        QTest::mouseClick(screen->grid()->viewport(), Qt::LeftButton, {}, screen->grid()->rowRect(row).center());
        if (random.bounded(2) == 0)
            test::typeAmount(screen->amountField(), randomAmount());  // a partial (or too large) payment
        test::clickRadio(screen->group()->button(random.bounded(8))); // never the question's own account
        QVERIFY(screen->doorboekenButton()->isEnabled());
        screen->doorboekenButton()->click();
    }
    void bookStart(invoerstartbalans *screen)
    {
        const auto &half = random.bounded(2) == 0 ? screen->left() : screen->right();
        test::clickRadio(half.group->button(random.bounded(half.group->count())));
        test::typeAmount(half.amount, randomAmount());
        half.doorboeken->click();
    }

private Q_SLOTS:
    void init() { app = std::make_unique<test::StartedProgram>(); }
    void cleanup() { app.reset(); }

    void randomBookingsKeepTheBooksConsistent()
    {
        const QStringList captions = {QStringLiteral("Start balans"), QStringLiteral("Inkomsten"),        QStringLiteral("Uitgaven"),
                                      QStringLiteral("Kruisposten"),  QStringLiteral("Nog te ontvangen"), QStringLiteral("Nog te betalen")};
        int bookings = 0;
        for (int visit = 0; visit < 30; ++visit) {
            TaskScreen *screen = test::openFromMenu(app->program, captions[random.bounded(captions.size())]);
            QVERIFY(screen);
            for (int n = 0; n < 10; ++n) {
                if (auto *start = qobject_cast<invoerstartbalans *>(screen))
                    bookStart(start);
                else if (auto *transfer = qobject_cast<TransferScreen *>(screen))
                    bookWith(transfer);
                else
                    settleWith(qobject_cast<OpenItemsScreen *>(screen));
                ++bookings;
            }
            screen->close();
        }
        QVERIFY(data().journaaltabel.recordCount() > 200);
        QCOMPARE(app->program.mainMenu()->statusPanel(4)->text(), QString::number(data().journaaltabel.recordCount()));

        const test::CliRun check = test::cli({QStringLiteral("check")});
        QVERIFY(check.finished);
        QCOMPARE(check.out.trimmed(), QStringLiteral("OK"));
        QCOMPARE(check.exitCode, 0);
    }
};

QTEST_MAIN(TestBookingScreens)
#include "test_bookingscreens.moc"

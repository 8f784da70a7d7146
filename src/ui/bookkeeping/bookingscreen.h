#pragma once
// What every booking screen shares: the frame's buttons and title in one bar,
// "LAATSTE BOEKSTUKNR.", the account lists refreshed by toonsaldo,
// and booking itself: one user action is one transaction, followed by the refreshed
// balances and the processed notice, or by the error box with nothing booked.
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

#include <functional>

class QLabel;
class QLayout;

namespace zelk {

class AccountGroup;
class DataModule1;
class HoverButton;

class BookingScreen : public TaskScreen {
    Q_OBJECT
public:
    // Names and balances of every account list and fixed account line.
    void toonsaldo();
    QLabel *lastNumberLabel() const { return m_lastNumber; }

protected:
    BookingScreen(AppContext &context, const QString &unit, const QString &caption, const QString &helpHeading);

    DataModule1 &data() const { return *m_ctx.data; }
    // "Sluit venster" and "Help" at the right, the main window's title at the left.
    QLayout *topBar(bool withTitle);
    // "LAATSTE BOEKSTUKNR." with the last journal number below it.
    QWidget *lastNumberBox();
    static QLabel *stepsLabel(const QStringList &steps);
    // The buttons of a radio group, for setSteps: the group is one stop of the Tab walk.
    static QList<QWidget *> groupSteps(const AccountGroup *group);
    static QLabel *heading(const QString &text);

    // Lists and lines that toonsaldo refreshes. A fixed line shows one account's balance,
    // and its name when `name` is given.
    void addAccountList(AccountGroup *group);
    void addFixedLine(QLabel *name, QLabel *balance, int position);

    void showLastNumber();
    // Runs `action`, one of the engine's booking actions (each its own transaction). On an
    // error the message is shown, nothing of the action stays and the balances are reread;
    // returns whether it was booked.
    bool book(const std::function<void()> &action);
    // After a booking: balances, last journal number and the processed notice.
    void booked();
    void onShow() override;

    AppContext &m_ctx;

private:
    struct FixedLine {
        QLabel *name;
        QLabel *balance;
        int position;
    };
    QLabel *m_lastNumber = nullptr;
    QList<AccountGroup *> m_lists;
    QList<FixedLine> m_lines;
};

} // namespace zelk

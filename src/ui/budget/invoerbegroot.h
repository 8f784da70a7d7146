#pragma once
// "Invoer begrotinggegevens": the budget of the coming year, an amount per income and
// expense account beside the account's actual figure. The amounts live in the screen while
// the program runs (they are stored nowhere); the screen balances the two columns with a
// shortfall or surplus and fills the budget report ("Overzicht").
#include "begroting.h"
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"

#include <QMap>
#include <memory>

class QLineEdit;

namespace zelk {

class AmountField;
class HoverButton;
class Report;

class invoerbegroot : public TaskScreen {
    Q_OBJECT
public:
    explicit invoerbegroot(AppContext &context);
    ~invoerbegroot() override;

    // Puts each line's current account name and actual figure in, then recalculates.
    void toonbegroting();
    // Reads the 26 budget amounts and shows shortfall, surplus and the balanced totals.
    void herbereken();
    // "Overnemen": the actual figures of these lines become their budget amounts.
    void overnemen(const std::vector<int> &positions);
    // The budget amounts as they stand; an amount that is not understood counts as 0.
    Begroting begroting() const;
    const BegrotingCijfers &cijfers() const { return m_cijfers; }

    AmountField *bedrag(int position) const { return m_amounts.value(position); }
    QLineEdit *naam(int position) const { return m_names.value(position); }
    QLineEdit *werkelijk(int position) const { return m_actuals.value(position); }
    QLineEdit *tekort() const { return m_shortfall; }
    QLineEdit *over() const { return m_surplus; }
    QLineEdit *totaalInkomsten() const { return m_incomeTotal; }
    QLineEdit *totaalUitgaven() const { return m_expenseTotal; }

protected:
    void onShow() override;
    void onClose() override;

private:
    QWidget *buildPanel(const QString &title, const std::vector<int> &positions, const QString &resultText, QLineEdit *&result,
                        QLineEdit *&total, HoverButton *overnemenButton);
    void showReport();

    AppContext &m_ctx;
    QMap<int, QLineEdit *> m_names;
    QMap<int, QLineEdit *> m_actuals;
    QMap<int, AmountField *> m_amounts;
    QMap<int, double> m_kept; // the amounts as last read, written back in the current format on show
    QLineEdit *m_shortfall = nullptr;
    QLineEdit *m_surplus = nullptr;
    QLineEdit *m_incomeTotal = nullptr;
    QLineEdit *m_expenseTotal = nullptr;
    HoverButton *m_overview = nullptr;
    BegrotingCijfers m_cijfers;
};

// The budget report as the screen fills it: names and actual figures from the data module,
// the amounts of the budget screen (none while it does not exist). Throws zelk::Error when
// no administration is open.
std::shared_ptr<Report> begrotingsrapport(AppContext &context);

} // namespace zelk

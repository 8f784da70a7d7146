#pragma once
// "Invoer contributies": the 36 monthly dues marks of each member, in three check lists
// (previous, current and next year). Every tick is stored at once; no amount is booked.
#include "toolkit/taskscreen.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace zelk {

struct AppContext;
class BoundGrid;
class FindPanel;
class HoverButton;
class RecordNavigator;
class Table;

class invoercontri : public TaskScreen {
    Q_OBJECT
public:
    explicit invoercontri(AppContext &ctx, QWidget *parent = nullptr);

    // The three lists: 0 previous year, 1 current year, 2 next year.
    QListWidget *list(int family) const { return m_lists[family]; }
    QLineEdit *nameBox() const { return m_name; }
    BoundGrid *grid() const { return m_grid; }
    FindPanel *findPanel() const { return m_find; }
    RecordNavigator *navigator() const { return m_navigator; }

    // The 36 field names in list order (previous year January first).
    static QStringList markFields();
    static const QStringList &monthNames();

    // Builds the bound controls before the first show.
    void setVisible(bool visible) override;

protected:
    void onShow() override;

private:
    Table &leden() const;
    void ensureBuilt();
    QWidget *buildLists();
    void toonnaam();      // the name box and the marks of the current member
    void laadmaanden();   // loads the 36 ticks
    void bewaarmaanden(); // stores the 36 ticks

    AppContext &m_ctx;
    FindPanel *m_find = nullptr;
    BoundGrid *m_grid = nullptr;
    QLineEdit *m_name = nullptr;
    QListWidget *m_lists[3] = {};
    RecordNavigator *m_navigator = nullptr;
    bool m_loading = false;
};

} // namespace zelk

#pragma once
// "Invoer leden": the member register. Edit boxes bound to the current member, a grid over
// the members the filter lets through, a record navigator, find and filter panels, the
// count of members, the three member lists, and CSV import and export.
#include "toolkit/boundfields.h"
#include "toolkit/taskscreen.h"

class QLabel;

namespace zelk {

struct AppContext;
class BoundGrid;
class FieldFilterPanel;
class FindPanel;
class HoverButton;
class RecordNavigator;

class invoerleden : public TaskScreen {
    Q_OBJECT
public:
    explicit invoerleden(AppContext &ctx, QWidget *parent = nullptr);

    BoundForm &form() { return *m_form; }
    BoundGrid *grid() const { return m_grid; }
    RecordNavigator *navigator() const { return m_navigator; }
    FindPanel *findPanel() const { return m_find; }
    FieldFilterPanel *filterPanel() const { return m_filter; }
    QLabel *countLabel() const { return m_count; }

    // The actions behind "Importeren…" and "Exporteren…" once a file is chosen; errors
    // are shown in the error box. Return whether they succeeded.
    bool importFrom(const QString &path);
    bool exportTo(const QString &path);

    // Builds the bound controls before the first show.
    void setVisible(bool visible) override;

protected:
    void onShow() override;
    void onClose() override;
    // Saves the member being edited (staying open when that is refused), clears the find
    // and filter panels and closes.
    void sluitvenster() override;

private:
    Table &leden() const;
    void ensureBuilt();
    QWidget *buildFields();
    QWidget *buildSide();
    QWidget *buildButtons();
    QList<QWidget *> steps() const;
    void toonaantal(); // the count beside "Records"
    // Saves the member being edited after the member rules: the birth date read, texts
    // trimmed, a name required. Shows a refusal and returns false.
    bool bewaarinvoer();
    bool bewaarlid(); // bewaarinvoer() and re-reads the table
    void afdrukken(const QString &report);
    void keepPendingWhileUnfiltering();

    AppContext &m_ctx;
    BoundForm *m_form = nullptr;
    BoundGrid *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    FindPanel *m_find = nullptr;
    FieldFilterPanel *m_filter = nullptr;
    QLabel *m_count = nullptr;
    QList<std::pair<HoverButton *, QString>> m_printButtons;
};

} // namespace zelk

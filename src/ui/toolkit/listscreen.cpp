#include "listscreen.h"

#include "appcontext.h"
#include "boundgrid.h"
#include "databases.h"
#include "fieldfilterpanel.h"
#include "messages.h"
#include "zelkerror.h"

namespace zelk {

ListScreen::ListScreen(AppContext &context, ListDeclaration declaration)
    : TaskScreen(context, declaration.unit, declaration.caption, declaration.helpHeading), m_decl(std::move(declaration))
{
}

DataModule1 &ListScreen::data() const
{
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    return *context().data;
}

Table &ListScreen::table() const
{
    return data().*(m_decl.table);
}

void ListScreen::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    TaskScreen::setVisible(visible);
}

void ListScreen::ensureBuilt()
{
    if (m_grid || !context().data)
        return;
    m_grid = new BoundGrid(table(), m_decl.columns, this);
    m_grid->setBeforeChange([this] { return storePending(); });
    if (!m_decl.criteria.empty()) {
        m_filter = new FieldFilterPanel(m_decl.filterTitle, table(), m_decl.criteria, this);
        m_filter->setBeforeChange([this] { return storePending(); });
    }
    build();
}

void ListScreen::onShow()
{
    if (m_filter)
        m_filter->setFiltering(true);
}

void ListScreen::onClose()
{
    if (!m_grid)
        return;
    // The filter is let go also when storing fails (the error is shown).
    attempt(this, [this] { storePending(); });
    if (m_filter) {
        m_filter->clearFilter();
        m_filter->setFiltering(false);
    }
}

} // namespace zelk

#pragma once
// Start-up: behind the splash window, creates every screen, report and the data module
// once, in the program's fixed order, and keeps them until the program ends.
#include "toolkit/appcontext.h"

#include <QObject>
#include <memory>
#include <vector>

namespace zelk {

class DataModule1;
class main;

class Program {
public:
    // With `splash`, shows the splash window while creating.
    explicit Program(bool splash = true);
    ~Program();

    AppContext &context() { return m_ctx; }
    zelk::main *mainMenu() const { return m_main; }

    // The order in which the units are created (the main menu first, the data module
    // eighth); units that this version does not have are skipped.
    static const QStringList &creationOrder();
    // The gauge position after creating the n-th unit (1-based) of that order.
    static int gaugeAfter(int created);

private:
    QObject *create(const QString &unit);

    AppContext m_ctx;
    zelk::main *m_main = nullptr;
    // Destroyed in reverse order of declaration (see ~Program): the data module outlives
    // every unit that works on its tables, the main menu outlives the screens it opens.
    std::unique_ptr<DataModule1> m_data;
    std::unique_ptr<zelk::main> m_mainOwned;
    std::vector<std::unique_ptr<QObject>> m_owned; // the other units, in creation order
};

} // namespace zelk

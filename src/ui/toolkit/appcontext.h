#pragma once
// What every screen of the running program shares: the data module, the screens by unit
// name, and the few services that screens call on each other for.
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace zelk {

class DataModule1;
class verwerkt;

struct AppContext {
    DataModule1 *data = nullptr;
    QWidget *mainMenu = nullptr;
    verwerkt *notice = nullptr;
    // Opens the help viewer at a topic heading; empty until the viewer exists.
    std::function<void(QWidget *from, const QString &heading)> openHelp;

    // Main-menu actions that are not screens (the reports "Balans" and "Grafiek").
    QHash<QString, std::function<void(QWidget *from)>> actions;

    // The current letter or e-mail document file name, shared by their open and save dialogs.
    QString documentFileName;

    QHash<QString, QPointer<QWidget>> screens; // by unit name, e.g. "invoerleden"
    QWidget *screen(const QString &unit) const { return screens.value(unit); }
    template <typename T> T *screenAs(const QString &unit) const { return qobject_cast<T *>(screens.value(unit)); }
};

} // namespace zelk

#include "application.h"

#include "toolkit/messages.h"
#include "vertaling.h"

namespace zelk {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    installDutchQtTranslations();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    // An error that gets here has travelled through Qt's own code, which is built without
    // exception support: what Qt held on the way was not cleaned up (the copy of a mouse
    // event leaks with every such error) and Qt may be left half way. It is a screen
    // action that lacks its guard; it is still shown rather than ending the program.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        qCritical("Zelk: an error left a screen action without passing its guard: %s", e.what());
        showError(activeWindow(), errorText(e));
    }
    return false;
}

} // namespace zelk

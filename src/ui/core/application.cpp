#include "application.h"

#include "toolkit/messages.h"
#include "zelkerror.h"

namespace zelk {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &e) {
        showError(activeWindow(), e.message());
    } catch (const std::exception &e) {
        showError(activeWindow(), QStringLiteral("Onverwachte fout: ") + QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace zelk

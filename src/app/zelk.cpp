// Zelk, the desktop program.
#include "core/application.h"
#include "core/main.h"
#include "core/startup.h"
#include "toolkit/wheelfilter.h"

int main(int argc, char **argv)
{
    zelk::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelk"));
    QApplication::setApplicationVersion(QStringLiteral(ZELK_VERSION));
    zelk::WheelToArrowFilter::install();
    zelk::Program program;
    program.mainMenu()->show();
    return QApplication::exec();
}

// Zelk, the desktop program.
#include "core/application.h"
#include "core/main.h"
#include "core/startup.h"
#include "toolkit/wheelfilter.h"
#include "writerlock.h"
#include "zelkerror.h"

#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv)
{
    zelk::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelk"));
    QApplication::setApplicationVersion(QStringLiteral(ZELK_VERSION));
    // Only one program may change the administrations at a time: a second one says who
    // holds them and stops before it opens anything.
    std::shared_ptr<zelk::WriterLock> writer;
    try {
        writer = zelk::WriterLock::acquire();
    } catch (const zelk::Error &e) {
        // Also on stderr, for whoever started it from a terminal or a script.
        fprintf(stderr, "%s\n", qPrintable(e.message()));
        fflush(stderr);
        QMessageBox::critical(nullptr, QStringLiteral("Zelk"), e.message());
        return 1;
    }
    zelk::WheelToArrowFilter::install();
    zelk::Program program;
    program.mainMenu()->show();
    return QApplication::exec();
}

// Zelk, the desktop program.
#include "core/application.h"
#include "core/main.h"
#include "core/startup.h"
#include "toolkit/wheelfilter.h"
#include "writerlock.h"
#include "zelkerror.h"

#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <cstring>

namespace {

// Answers --version and --help before any window (or display) is needed; returns whether
// one of them was asked.
bool answeredFromCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("zelk %s\n", ZELK_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("Gebruik: zelk [--version] [--help]\n\n"
                        "Zelk verenigingsadministratie: ledenregister, contributies, boekhouding,\n"
                        "rapporten, brieven en e-mail voor de penningmeester van een vereniging.\n"
                        "De administraties staan in $ZELK_HOME, anders in ~/.local/share/zelk.\n"
                        "Zonder scherm werkt zelk-cli op dezelfde administraties (zie zelk-cli --help).\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (answeredFromCommandLine(argc, argv))
        return 0;
    zelk::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelk"));
    QApplication::setApplicationVersion(QStringLiteral(ZELK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zelk"));
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/zelk/icons/zelk-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
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

// zelk-cli: the headless companion of the desktop program. It works on the same
// administrations and needs no display.
#include "cli/command.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <unistd.h>

using namespace zelk::cli;

namespace {

void printHelp(QTextStream &out)
{
    out << "Gebruik: zelk-cli [--home MAP] OPDRACHT [ARGUMENTEN]\n"
           "       zelk-cli --version\n\nOpdrachten:\n";
    for (const auto &[name, command] : commands())
        out << "  " << command.usage << "\n      " << command.summary << "\n";
}

} // namespace

int main(int argc, char **argv)
{
    // Reports paint text, which needs a GUI application; without a display use offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; a script's environment often has none.
        const QByteArray runtime = QDir::tempPath().toUtf8() + "/zelk-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromUtf8(runtime));
        QFile::setPermissions(QString::fromUtf8(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Io io{out, err};

    QStringList args = app.arguments().mid(1);
    try {
        const QString home = takeOption(args, QStringLiteral("--home"));
        if (!home.isEmpty())
            qputenv("ZELK_HOME", home.toUtf8());
        if (args.value(0) == QLatin1String("--version")) {
            out << "zelk-cli " << ZELK_VERSION << "\n";
            return Ok;
        }
        if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("help")) {
            printHelp(out);
            return args.isEmpty() ? BadArguments : Ok;
        }
        const QString name = args.takeFirst();
        const auto it = commands().find(name);
        if (it == commands().end()) {
            err << "Onbekende opdracht: " << name << " (zie zelk-cli --help)\n";
            return BadArguments;
        }
        try {
            return it->second.run(args, io);
        } catch (const UsageError &e) {
            err << QString::fromStdString(e.what()) << "\nGebruik: zelk-cli " << it->second.usage << "\n";
            return BadArguments;
        }
    } catch (const UsageError &e) {
        err << QString::fromStdString(e.what()) << "\n";
        return BadArguments;
    } catch (const std::exception &e) {
        return reportFailure(io, e);
    }
}

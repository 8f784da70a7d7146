#pragma once
// zelk-cli's commands register themselves here; each lives in its own cmd_*.cpp.
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>
#include <stdexcept>

namespace zelk::cli {

// Exit codes: 0 success, 1 the command ran and found a problem, 2 bad arguments.
enum ExitCode { Ok = 0, Failed = 1, BadArguments = 2 };

// Thrown for wrong arguments; the message is shown with the command's usage line.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Io {
    QTextStream &out;
    QTextStream &err;
};

using Handler = std::function<int(const QStringList &args, Io &io)>;

struct Command {
    QString usage;   // e.g. "book FROM TO AMOUNT DESCRIPTION [--date YYYY-MM-DD]"
    QString summary; // one line for --help
    Handler run;
};

std::map<QString, Command> &commands();

// Put one of these at namespace scope in a cmd_*.cpp to add a command.
struct Registration {
    Registration(const QString &name, Command command) { commands()[name] = std::move(command); }
};

// The one way zelk-cli reports a failure: "Fout: " and the Dutch message on stderr;
// returns the exit code (Failed).
int reportFailure(Io &io, const std::exception &failure);

// Small argument helpers shared by the commands.
QString takeOption(QStringList &args, const QString &name); // "--name VALUE", removed from args
bool takeFlag(QStringList &args, const QString &name);      // "--flag", removed from args
int toInt(const QString &text, const QString &what);        // throws UsageError
double toAmount(const QString &text, const QString &what);  // "1234.50" or "-3"; throws UsageError

} // namespace zelk::cli

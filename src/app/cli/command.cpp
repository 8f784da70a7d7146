#include "command.h"

#include "amountformat.h"
#include "cents.h"

namespace zelk::cli {

std::map<QString, Command> &commands()
{
    static std::map<QString, Command> all;
    return all;
}

int reportFailure(Io &io, const std::exception &failure)
{
    io.err << "Fout: " << QString::fromUtf8(failure.what()) << "\n";
    io.err.flush();
    return Failed;
}

QString takeOption(QStringList &args, const QString &name)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return {};
    if (i + 1 >= args.size())
        throw UsageError(QStringLiteral("%1 heeft een waarde nodig").arg(name).toStdString());
    const QString value = args.at(i + 1);
    args.remove(i, 2);
    return value;
}

bool takeFlag(QStringList &args, const QString &name)
{
    return args.removeAll(name) > 0;
}

int toInt(const QString &text, const QString &what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw UsageError(QStringLiteral("%1 moet een geheel getal zijn, niet \"%2\"").arg(what, text).toStdString());
    return value;
}

double toAmount(const QString &text, const QString &what)
{
    // Always "." as decimal separator, whatever the administration's amount format.
    const auto value = AmountFormat().parse(text);
    if (!value || text.trimmed().isEmpty())
        throw UsageError(QStringLiteral("%1 moet een bedrag zijn zoals 12.50, niet \"%2\"").arg(what, text).toStdString());
    if (!cents::isValid(*value))
        throw UsageError(QStringLiteral("%1: %2").arg(what, cents::invalidMessage(*value)).toStdString());
    return cents::rounded(*value);
}

} // namespace zelk::cli

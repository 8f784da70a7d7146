#include "clirun.h"

#include <QProcess>

namespace zelk::test {

CliRun cli(const QStringList &arguments, const CliOptions &options)
{
    QProcess process;
    if (!options.reportDate.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZELK_REPORT_DATE"), options.reportDate);
        process.setProcessEnvironment(env);
    }
    const QStringList all = options.home.isEmpty() ? arguments : QStringList{QStringLiteral("--home"), options.home} + arguments;
    process.start(qEnvironmentVariable("ZELK_CLI"), all);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()),
            true};
}

} // namespace zelk::test

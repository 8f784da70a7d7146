#pragma once
// Runs zelk-cli ($ZELK_CLI) as a script would and collects what it wrote.
#include <QString>
#include <QStringList>

namespace zelk::test {

struct CliRun {
    int exitCode = -1; // also when it did not finish in time
    QString out;
    QString err;
    bool finished = false;
};

struct CliOptions {
    QString home = {};       // given as --home when not empty
    QString reportDate = {}; // ZELK_REPORT_DATE, fixing the date printed on reports, when not empty
};

CliRun cli(const QStringList &arguments, const CliOptions &options = {});

} // namespace zelk::test

#pragma once
// The program's reports in one list. The running program creates a report unit for each
// entry, zelk-cli's report command looks them up by their short name and lists them in its
// help, and the tests check a saved expected output of each. A new report needs one entry
// here and its own report file; then it is reachable everywhere.
#include "filtercriteria.h"
#include "report/report.h"

#include <QString>
#include <memory>
#include <vector>

namespace zelk {

class DataModule1;

struct ReportEntry {
    QString unit;    // the unit name in the running program, e.g. "printbalans"
    QString cliName; // the name zelk-cli report takes, e.g. "balans"
    QString title;   // what the report shows, in Dutch, for zelk-cli's help
    // A fresh report of the data as it is now, prepared and ready to lay out. `data` must
    // outlive the report.
    std::shared_ptr<Report> (*build)(DataModule1 &data);
    // The report shows the members that the member table's filter lets through (the member
    // register's filter panel, or zelk-cli's --filter).
    bool memberFilter;
    // The overview whose filter the report follows: the table it lists, which that
    // overview's filter panel (or zelk-cli's --filter and --range) narrows, and the panel's
    // criteria. Null for the other reports.
    Table DataModule1::*filterTable = nullptr;
    const std::vector<FilterCriterion> &(*criteria)() = nullptr;
};

// Every report, in the order zelk-cli's help lists them.
const std::vector<ReportEntry> &reportCatalogus();

// The entry with this unit name, or with this zelk-cli name; nullptr when there is none.
const ReportEntry *reportByUnit(const QString &unit);
const ReportEntry *reportByCliName(const QString &cliName);

} // namespace zelk

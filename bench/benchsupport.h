#pragma once
// What the benchmarks share: a large administration seeded once, each step measured in a
// process of its own, and one line per figure with the time on the clock, the processor time
// (which other programs on a busy machine do not inflate) and the peak memory.
#include <QString>
#include <QStringList>

struct rusage;

namespace zelk {
class DataModule1;
}

namespace zelk::bench {

double peakMegabytes(const rusage &usage);
double ownPeakMegabytes();
// Processor time of this process so far, in milliseconds.
double ownProcessorMs();
double processorMs(const rusage &usage);

void print(const QString &what, double ms, double processor, double megabytes, const QString &extra = {});

// Books `rows` bookings, income and expenses in turn, in transactions of 50,000.
void seedJournal(DataModule1 &data, int rows);
// Members with a few months of dues paid each, not in name order, as members come in.
void seedMembers(DataModule1 &data, int count);
// Seeds what the administration in ZELK_HOME lacks of `rows` bookings and `members` members
// and prints what that took.
void seed(int rows, int members);

// Runs `program` with `args` to completion. With a `label`, its output is thrown away and
// its time, processor time and peak memory are printed; without, it prints its own figure.
void run(const QString &label, const QString &program, const QStringList &args);

} // namespace zelk::bench

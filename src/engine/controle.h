#pragma once
// The check of an administration that zelk-cli check prints: damaged files, table columns
// that differ from the program's layout, a chart that is not 37 accounts, balances that
// are missing, not finite or do not add up to zero, journal numbers that repeat or skip,
// and accounts whose balance differs from what their journal rows imply.
#include <QString>
#include <vector>

namespace zelk {

class DataModule1;

namespace controle {

struct Bevinding {
    enum class Soort { Fout, Waarschuwing };
    Soort soort;
    QString tekst;
};

// Everything found, errors and warnings in the order they were found. Reads only.
std::vector<Bevinding> controleer(DataModule1 &data);

} // namespace controle
} // namespace zelk

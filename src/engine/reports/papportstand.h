#pragma once
// The letter print: the standard letter once per member that the member table shows (the
// mailing screen's filter), in name order, each copy merged with that member's data. A4
// portrait: the two logos at the top of every page, the merged letter below them (each
// member's letter starts on a new page; a long one continues on the next page), and
// "Blad:" with the page number at the bottom. Without members: one page with the logos
// and the page number.
//
// The report keeps its own copy of the letter and merges every member into a fresh copy
// of that, so the letter it was given never shows member data.
#include "filtercriteria.h"
#include "report/report.h"

#include <QTextDocument>
#include <memory>

namespace zelk {

class DataModule1;

// The criteria of the mailing selection: a text per member field, found anywhere in the
// field ignoring case: Naam, Straat, Pcode, Plaats, Email, Bank-giro, Lidbedrag, Soortlid,
// Opmerk1, Opmerk2, Opmerk3. The mailing screen's filter panel and zelk-cli's letters
// command use the same ones.
const std::vector<FilterCriterion> &mailingCriteria();

class papportstand {
public:
    // The letter print of `letter` (copied) for the members the member table shows.
    papportstand(DataModule1 &data, const QTextDocument &letter);
    // The same for one member only, by name: the letter as that member gets it; with no
    // name, the letter once as it stands.
    papportstand(DataModule1 &data, const QTextDocument &letter, const QString &member);
    std::shared_ptr<Report> report() const { return m_report; }

    static constexpr double DetailHeight = 215.6; // the letter's band; it stretches with a longer letter
    static constexpr double LetterTop = 2.6;
    static constexpr double LetterWidth = 190.8; // kept inside the right margin by the layout

    // The print copy "tempprint.hlp" in the administration folder: the unmerged letter as
    // RTF, written before every print.
    static QString printCopyPath(const DataModule1 &data);
    // Writes `letter` as the print copy, replacing the earlier one. Throws zelk::Error when
    // it cannot be written (the old copy then stays as it was).
    static void writePrintCopy(const DataModule1 &data, const QTextDocument &letter);
    // The letter print of the print copy, as the program prints it after writing that copy;
    // an empty letter when there is no print copy yet.
    static std::shared_ptr<Report> ofPrintCopy(DataModule1 &data);

private:
    void build(DataModule1 &data, const QTextDocument &letter, const QString &member, bool oneMember);

    std::shared_ptr<Report> m_report;
};

} // namespace zelk

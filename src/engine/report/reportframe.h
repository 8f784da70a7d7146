#pragma once
// The frame every report shares: the association's logo at the left, the right, both or
// neither, the title line with the association name, and the footer line with footer
// text, association name, print date and page number. The letter print has a reduced
// frame: two logos and "Blad:" with the page number.
//
// The frame reads its inputs afresh at every report start through a FrameSettingsSource,
// so a change in the settings applies to the next report. A logo file that is missing
// leaves the logo out; one that cannot be decoded does the same and leaves one message in
// Report::messages() for the screen to show; the report prints either way.
#include "report.h"
#include "reporttitles.h"

#include <functional>
#include <memory>

namespace zelk {

struct FrameSettings {
    bool printLogo = true;  // "Printen logo": master switch of both logos
    bool logoLeft = true;   // "Printen logo links"
    bool logoRight = false; // "Printen logo rechts"
    QString logoPath;
    QString associationName;
};
using FrameSettingsSource = std::function<FrameSettings()>;

class ReportFrame {
public:
    static constexpr double HeaderHeight = 45.2;
    static constexpr double LogoWidth = 79.0;
    static constexpr double LogoHeight = 34.0;
    static constexpr double TitleTop = 39.0;
    static constexpr double FooterHeight = 5.0;
    static constexpr double TitleSize = 11.0;
    static constexpr double FooterSize = 10.0;

    // Adds the page header and (unless the title has none) the page footer to `report`,
    // which must not have them yet, and installs the hooks below.
    static std::shared_ptr<ReportFrame> apply(Report &report, const titles::ReportTitle &title, FrameSettingsSource settings);
    static std::shared_ptr<ReportFrame> apply(Report &report, const titles::ReportTitle &title, const FrameSettings &settings);

    // The letter print's frame: a 42 mm band with two logo places of 37.7 by 44.6 mm (at the
    // left edge and 116.7 mm from it) and a footer with "Blad:" and the page number.
    static std::shared_ptr<ReportFrame> applyLetter(Report &report, FrameSettingsSource settings);

    // Report start: reads the settings and switches the logo places on or off.
    void QuickRepBeforePrint(Report &report);
    // Every page header: fills the title line's association name and puts in the logo.
    bool PageHeaderBand1BeforePrint(BandContext &context);
    // Every page footer: fills the footer's association name.
    bool PageFooterBand1BeforePrint(BandContext &context);

    const FrameSettings &settings() const { return m_settings; }

private:
    explicit ReportFrame(FrameSettingsSource settings) : m_source(std::move(settings)) { }
    void loadLogo(Report &report);
    void putLogo(Band &band);

    FrameSettingsSource m_source;
    FrameSettings m_settings;
    QImage m_logo;
    bool m_logoLoaded = false;
    bool m_letter = false;
};

// Reads a logo: a null image when the file is missing (no message), or when it cannot be
// decoded (then `error` gets a Dutch message).
QImage readLogo(const QString &path, QString *error);

} // namespace zelk

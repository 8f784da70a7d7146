#include "standaardbrief.h"

#include "databases.h"
#include "preview/previewlauncher.h"
#include "report/reportframe.h"
#include "reports/papportstand.h"
#include "store/velden.h"
#include "toolkit/appcontext.h"
#include "zelkerror.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zelk {

namespace {
constexpr int LogoHeight = 110; // pixels in the strip
constexpr int PreviewZoom = 80; // percent

PreviewOptions previewOptions()
{
    PreviewOptions options;
    options.zoomPercent = PreviewZoom;
    return options;
}
} // namespace

standaardbrief::standaardbrief(AppContext &context)
    : DocumentEditor(context, {QStringLiteral("standaardbrief"), QStringLiteral("Bewerken standaard brief"), QStringLiteral("briefhoofd"),
                               QStringLiteral("brief"), QStringLiteral("Inlezen brief"), QStringLiteral("inlezenbrief"),
                               QStringLiteral("Opslaan brief"), QStringLiteral("opslaanbrief")})
{
    header()->setStyleSheet(QStringLiteral("#briefhoofd { background: white; }"));
    buildHeader();
    QMenu *uitvoer = addMenus(QStringLiteral("Opslaan"), QStringLiteral("inlezen"));
    addItem(uitvoer, QStringLiteral("Afdrukken"), [this] { afdrukken(); });
    addItem(uitvoer, QStringLiteral("Voorbeeld"), [this] { voorbeeld(); });
    setSteps({editor()});
}

void standaardbrief::buildHeader()
{
    auto *strip = new QHBoxLayout(header());
    m_leftLogo = new QLabel(header());
    m_leftLogo->setObjectName(QStringLiteral("logolinks"));
    m_rightLogo = new QLabel(header());
    m_rightLogo->setObjectName(QStringLiteral("logorechts"));
    for (QLabel *logo : {m_leftLogo, m_rightLogo}) {
        logo->setFixedHeight(LogoHeight);
        logo->setAlignment(Qt::AlignCenter);
    }

    QVBoxLayout *codes = ledencodes(header());

    strip->addWidget(m_leftLogo);
    strip->addStretch();
    strip->addLayout(codes);
    strip->addStretch();
    strip->addWidget(m_rightLogo);
}

void standaardbrief::onShow()
{
    toonlogos();
    editor()->setFocus();
}

void standaardbrief::toonlogos()
{
    if (!context().data)
        return;
    const Settings &s = context().data->settings;
    QString problem;
    const QImage logo = readLogo(s.logoPad, &problem);
    const QPixmap picture = logo.isNull() ? QPixmap() : QPixmap::fromImage(logo.scaledToHeight(LogoHeight, Qt::SmoothTransformation));
    m_leftLogo->setPixmap(picture);
    m_rightLogo->setPixmap(picture);
    // Each logo place keeps its room, so that the codes stay in the middle.
    m_leftLogo->setFixedWidth(picture.isNull() ? 0 : picture.width());
    m_rightLogo->setFixedWidth(picture.isNull() ? 0 : picture.width());
    m_leftLogo->setVisible(s.printLogo && s.logoLinks);
    m_rightLogo->setVisible(s.printLogo && s.logoRechts);
}

void standaardbrief::afdrukken()
{
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    DataModule1 &data = *context().data;
    // The print copy first: when it cannot be written the print does not start.
    papportstand::writePrintCopy(data, *letter());
    showReportPreview(
        this, QStringLiteral("papportstand"), [&data, this] { return papportstand(data, *letter()).report(); }, previewOptions());
}

void standaardbrief::voorbeeld()
{
    if (!context().data)
        throw Error(QStringLiteral("Er is geen administratie geopend."));
    DataModule1 &data = *context().data;
    Table &members = data.ledentabel;
    const QString member = members.isEmpty() ? QString() : members.text(veld::leden::Naam);
    showReportPreview(
        this, QStringLiteral("papportstand"), [&data, member, this] { return papportstand(data, *letter(), member).report(); },
        previewOptions());
}

} // namespace zelk

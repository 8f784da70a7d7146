#include "previewwindow.h"

#include "pageview.h"
#include "report/reportpainter.h"
#include "zelkerror.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace zelk {

namespace {
constexpr int FitWidthItem = -1;
constexpr int FitPageItem = -2;
constexpr int TickMs = 40;        // layout between two looks at the user's input
constexpr int LastPage = 1 << 30; // m_target: the last page, once the count is known
constexpr int Border = 8;         // the page view's border, see pageview.cpp

struct SaveChoice {
    const char *filter;
    ExportFormat format;
};
const SaveChoice SaveChoices[] = {
    {"PDF-bestand (*.pdf)", ExportFormat::Pdf},
    {"Tekstbestand (*.txt)", ExportFormat::Text},
    {"Kommagescheiden tekst (*.csv)", ExportFormat::Csv},
    {"HTML-bestand (*.html *.htm)", ExportFormat::Html},
};

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &text, const QString &tip,
                        QStyle::StandardPixmap icon = QStyle::SP_CustomBase)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    if (icon != QStyle::SP_CustomBase) {
        button->setIcon(parent->style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}
} // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<ReportDocument> document, QWidget *parent)
    : QDialog(parent), m_document(std::move(document)), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("afdrukvoorbeeld"));
    setWindowTitle(QStringLiteral("Afdrukvoorbeeld"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 1000);
    const bool landscape = m_document->pageSetup().orientation == Orientation::Landscape;
    m_printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    m_printer.setDocName(m_document->report().name);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    buildToolBar(layout);

    m_view = new PageView(m_document, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("bladen"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    m_scroll->viewport()->installEventFilter(this);
    layout->addWidget(m_scroll, 1);

    new QShortcut(QKeySequence(Qt::Key_PageDown), this, this, &PreviewWindow::nextPage);
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, this, &PreviewWindow::previousPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), this, this, &PreviewWindow::firstPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), this, this, &PreviewWindow::lastPage);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setInterval(0);
    connect(m_layoutTimer, &QTimer::timeout, this, &PreviewWindow::layOutInBackground);
    if (!m_document->isComplete())
        m_layoutTimer->start();

    // Never larger than the free area of the caller's screen (with room for the title bar).
    if (const QScreen *screen = parent ? parent->screen() : this->screen())
        resize(size().boundedTo(screen->availableGeometry().size() - QSize(16, 48)));
    // The pages have the focus: the arrow keys, Page Up and Page Down and the wheel read on.
    m_scroll->setFocus();

    applyZoom();
    refreshNavigation();
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow(); // the keys go to the preview, not to the window behind it
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    // Return presses the focused tool button, as Space does; Escape closes (QDialog).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        if (auto *button = qobject_cast<QToolButton *>(focusWidget()); button && button->isEnabled()) {
            button->click();
            return;
        }
    QDialog::keyPressEvent(event);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolBar(QVBoxLayout *layout)
{
    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    m_first = toolButton(this, QStringLiteral("eersteBlad"), QStringLiteral("Eerste"), QStringLiteral("Eerste blad (Ctrl+Home)"),
                         QStyle::SP_MediaSkipBackward);
    m_previous = toolButton(this, QStringLiteral("vorigBlad"), QStringLiteral("Vorige"), QStringLiteral("Vorig blad (PgUp)"),
                            QStyle::SP_MediaSeekBackward);
    m_next = toolButton(this, QStringLiteral("volgendBlad"), QStringLiteral("Volgende"), QStringLiteral("Volgend blad (PgDn)"),
                        QStyle::SP_MediaSeekForward);
    m_last = toolButton(this, QStringLiteral("laatsteBlad"), QStringLiteral("Laatste"), QStringLiteral("Laatste blad (Ctrl+End)"),
                        QStyle::SP_MediaSkipForward);
    connect(m_first, &QToolButton::clicked, this, &PreviewWindow::firstPage);
    connect(m_previous, &QToolButton::clicked, this, &PreviewWindow::previousPage);
    connect(m_next, &QToolButton::clicked, this, &PreviewWindow::nextPage);
    connect(m_last, &QToolButton::clicked, this, &PreviewWindow::lastPage);

    m_pageNumber = new QSpinBox(this);
    m_pageNumber->setObjectName(QStringLiteral("bladnummer"));
    m_pageNumber->setRange(1, 1);
    m_pageNumber->setKeyboardTracking(false);
    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int value) { goToPage(value - 1); });
    m_pageCount = new QLabel(this);
    m_pageCount->setObjectName(QStringLiteral("aantalBladen"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("opmaak"));

    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->addItem(QStringLiteral("Paginabreedte"), FitWidthItem);
    m_zoom->addItem(QStringLiteral("Hele pagina"), FitPageItem);
    for (int percent : {25, 50, 75, 100, 150, 200})
        m_zoom->addItem(QStringLiteral("%1 %").arg(percent), percent);
    connect(m_zoom, &QComboBox::activated, this, &PreviewWindow::zoomChosen);

    auto *setup = toolButton(this, QStringLiteral("printerinstelling"), QStringLiteral("Printerinstelling"),
                             QStringLiteral("Printer en papier kiezen"));
    auto *print = toolButton(this, QStringLiteral("afdrukken"), QStringLiteral("Afdrukken"), QStringLiteral("Het overzicht afdrukken"));
    auto *save = toolButton(this, QStringLiteral("opslaan"), QStringLiteral("Opslaan"),
                            QStringLiteral("Opslaan als PDF, tekst, kommagescheiden tekst of HTML"));
    auto *close = toolButton(this, QStringLiteral("sluiten"), QStringLiteral("Sluiten"), QStringLiteral("Afdrukvoorbeeld sluiten (Esc)"));
    connect(setup, &QToolButton::clicked, this, &PreviewWindow::printerSetup);
    connect(print, &QToolButton::clicked, this, &PreviewWindow::print);
    connect(save, &QToolButton::clicked, this, &PreviewWindow::save);
    connect(close, &QToolButton::clicked, this, &PreviewWindow::reject);

    bar->addWidget(m_first);
    bar->addWidget(m_previous);
    bar->addWidget(new QLabel(QStringLiteral(" Blad "), this));
    bar->addWidget(m_pageNumber);
    bar->addWidget(m_pageCount);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("Zoom "), this));
    bar->addWidget(m_zoom);
    bar->addSpacing(12);
    // The room between zoom and the buttons; a long message never widens the window.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(m_status, 1);
    bar->addWidget(setup);
    bar->addWidget(print);
    bar->addWidget(save);
    bar->addWidget(close);
    layout->addLayout(bar);
}

int PreviewWindow::currentPage() const
{
    return m_view->page();
}

void PreviewWindow::goToPage(int index)
{
    if (m_saving) // the report is being run for saving; the pages wait
        return;
    m_target = std::max(0, index);
    if (!pursueTarget(TickMs))
        m_layoutTimer->start(); // shown when it is laid out; the window answers meanwhile
    refreshNavigation();
}

bool PreviewWindow::pursueTarget(int budgetMs)
{
    try {
        int target = *m_target;
        if (target == LastPage) {
            QElapsedTimer clock;
            clock.start();
            while (m_document->layoutMore(1) && clock.elapsed() < budgetMs) { }
            if (!m_document->isComplete())
                return false;
            target = m_document->pageCount() - 1;
            m_target = target;
        }
        if (!m_document->prepare(target, std::chrono::milliseconds(budgetMs)))
            return false;
        if (m_document->isComplete() && target >= m_document->pageCount()) {
            m_target = m_document->pageCount() - 1; // past the end: the last page
            if (!m_document->prepare(*m_target, std::chrono::milliseconds(budgetMs)))
                return false;
        }
    } catch (const std::exception &error) {
        m_target.reset();
        m_layoutTimer->stop();
        showError(error);
        return true;
    }
    showPage(*m_target);
    m_target.reset();
    return true;
}

void PreviewWindow::showPage(int index)
{
    m_view->setPage(index);
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::firstPage()
{
    goToPage(0);
}

void PreviewWindow::previousPage()
{
    goToPage(aimedPage() - 1);
}

void PreviewWindow::nextPage()
{
    goToPage(aimedPage() + 1);
}

int PreviewWindow::aimedPage() const
{
    return m_target && *m_target != LastPage ? *m_target : currentPage();
}

void PreviewWindow::lastPage()
{
    if (m_document->isComplete())
        goToPage(m_document->pageCount() - 1);
    else
        goToPage(LastPage);
}

void PreviewWindow::layOutInBackground()
{
    if (m_saving)
        return;
    if (m_target) {
        if (!pursueTarget(TickMs)) {
            refreshNavigation();
            return;
        }
    } else {
        QElapsedTimer clock;
        clock.start();
        try {
            while (m_document->layoutMore(1) && clock.elapsed() < TickMs) { }
        } catch (const std::exception &error) {
            m_layoutTimer->stop();
            showError(error);
        }
    }
    if (!m_target && m_document->isComplete())
        m_layoutTimer->stop();
    refreshNavigation();
}

void PreviewWindow::refreshNavigation()
{
    const int known = m_document->pagesReady();
    const bool complete = m_document->isComplete();
    const int page = currentPage();
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page + 1 < known || !complete);
    m_last->setEnabled(page + 1 < known || !complete);
    const QSignalBlocker blocker(m_pageNumber);
    m_pageNumber->setMaximum(complete ? std::max(1, known) : 1000000);
    m_pageNumber->setValue(aimedPage() + 1);
    m_pageCount->setText(complete ? QStringLiteral("van %1").arg(known) : QStringLiteral("van %1…").arg(known));
    if (!m_target)
        m_status->clear();
    else if (*m_target == LastPage)
        m_status->setText(QStringLiteral("Bezig met opmaken tot het laatste blad…"));
    else
        m_status->setText(QStringLiteral("Bezig met opmaken van blad %1…").arg(*m_target + 1));
}

void PreviewWindow::zoomChosen(int index)
{
    const int data = m_zoom->itemData(index).toInt();
    if (data == FitWidthItem)
        fitWidth();
    else if (data == FitPageItem)
        fitPage();
    else
        setZoomPercent(data);
}

void PreviewWindow::setZoomPercent(int percent)
{
    m_fit = Fit::None;
    m_percent = std::clamp(percent, 10, 400);
    int item = m_zoom->findData(m_percent);
    if (item < 0) { // a zoom asked for by a report (e.g. the letters' 80 %): add it to the list
        item = m_zoom->count();
        for (int i = 2; i < m_zoom->count(); ++i)
            if (m_zoom->itemData(i).toInt() > m_percent) {
                item = i;
                break;
            }
        m_zoom->insertItem(item, QStringLiteral("%1 %").arg(m_percent), m_percent);
    }
    m_zoom->setCurrentIndex(item);
    applyZoom();
}

void PreviewWindow::fitWidth()
{
    m_fit = Fit::Width;
    m_zoom->setCurrentIndex(m_zoom->findData(FitWidthItem));
    applyZoom();
}

void PreviewWindow::fitPage()
{
    m_fit = Fit::Page;
    m_zoom->setCurrentIndex(m_zoom->findData(FitPageItem));
    applyZoom();
}

double PreviewWindow::pixelsPerMm() const
{
    return m_view->pixelsPerMm();
}

void PreviewWindow::applyZoom()
{
    const QSizeF paper = m_document->pageSetup().paperSize();
    const QSize room = m_scroll->viewport()->size();
    const int scrollBar = m_scroll->verticalScrollBar()->sizeHint().width();
    const double widthFit = (room.width() - 2 * Border - scrollBar) / paper.width();
    const double pageFit = std::min((room.width() - 2 * Border) / paper.width(), (room.height() - 2 * Border) / paper.height());
    double scale = m_view->naturalPixelsPerMm() * m_percent / 100.0;
    if (m_fit == Fit::Width)
        scale = widthFit;
    else if (m_fit == Fit::Page)
        scale = pageFit;
    m_view->setPixelsPerMm(std::max(0.5, scale));
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_fit != Fit::None)
        applyZoom();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::showError(const std::exception &error)
{
    QMessageBox::critical(this, QStringLiteral("Fout"), QString::fromStdString(error.what()));
}

void PreviewWindow::printerSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void PreviewWindow::print()
{
    if (m_saving)
        return;
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Afdrukken"));
    dialog.setMinMax(1, m_document->isComplete() ? m_document->pageCount() : 1000000);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() == QDialog::Accepted)
        printTo(m_printer);
}

void PreviewWindow::printTo(QPrinter &printer)
{
    printer.setFullPage(true); // the pages carry their own margins
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? printer.toPage() : std::numeric_limits<int>::max();
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::critical(this, QStringLiteral("Fout"), QStringLiteral("De printer kan niet worden gebruikt."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const double pixelsPerMm = printer.resolution() / 25.4;
    try {
        // Page by page as for saving, so that the pages on show stay as they are.
        ReportPagePainter pagePainter(painter, *m_document);
        m_document->forEachPage([&](const ReportPage &page) {
            if (page.number < from || page.number > to)
                return;
            if (page.number > from)
                printer.newPage();
            pagePainter.paint(page, pixelsPerMm);
        });
    } catch (const std::exception &error) {
        painter.end();
        QApplication::restoreOverrideCursor();
        showError(error);
        return;
    }
    painter.end();
    QApplication::restoreOverrideCursor();
    refreshNavigation();
}

void PreviewWindow::save()
{
    if (m_saving)
        return;
    QStringList filters;
    for (const SaveChoice &choice : SaveChoices)
        filters << QString::fromUtf8(choice.filter);
    QString selected = filters.first();
    const QString suggestion = QDir::home().filePath(m_document->report().name + QStringLiteral(".pdf"));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Overzicht opslaan als"), suggestion,
                                                filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return;
    const ExportFormat format = SaveChoices[std::max<qsizetype>(0, filters.indexOf(selected))].format;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + exportSuffix(format);
    saveAs(path, format);
}

bool PreviewWindow::saveAs(const QString &path, ExportFormat format)
{
    // A long report takes a while: the window shows how far it is and may stop it (then
    // nothing is saved). The pages on show wait meanwhile.
    if (m_saving)
        return false;
    const QScopedValueRollback saving(m_saving, true);
    m_layoutTimer->stop();
    const int pages = m_document->isComplete() ? m_document->pageCount() : 0;
    QProgressDialog progress(QStringLiteral("Het overzicht wordt opgeslagen…"), QStringLiteral("Afbreken"), 0, pages, this);
    progress.setObjectName(QStringLiteral("voortgang"));
    progress.setWindowTitle(QStringLiteral("Opslaan"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_document->setProgress([&](int done) {
        progress.setValue(pages > 0 ? std::min(done, pages) : 0);
        progress.setLabelText(pages > 0 ? QStringLiteral("Blad %1 van %2 is opgeslagen…").arg(done).arg(pages)
                                        : QStringLiteral("Blad %1 is opgeslagen…").arg(done));
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            throw Error(QStringLiteral("Het opslaan is afgebroken; er is niets opgeslagen."));
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool saved = true;
    try {
        exportReport(*m_document, format, path);
    } catch (const std::exception &error) {
        QApplication::restoreOverrideCursor();
        progress.reset();
        showError(error);
        saved = false;
    }
    if (saved)
        QApplication::restoreOverrideCursor();
    m_document->setProgress({});
    if (m_target || !m_document->isComplete())
        m_layoutTimer->start();
    refreshNavigation();
    return saved;
}

} // namespace zelk

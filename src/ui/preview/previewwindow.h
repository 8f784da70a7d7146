#pragma once
// The print preview: a modal window showing a laid-out report page by page, with zoom,
// page navigation, printer set-up, printing and saving as PDF, text, CSV or HTML. A page is
// laid out when it is shown; meanwhile the report is counted through in the background,
// in short steps, so that the page count appears and the window stays responsive however
// long the report. A page that takes longer to reach (the last one, or one far back) is
// worked towards in the same short steps, and shown when it is there.
// Escape closes the window, Return presses the focused button; the window opens with the
// focus on the pages and never larger than its screen's free area.
#include "report/reportdocument.h"
#include "report/reportexport.h"

#include <QDialog>
#include <QPrinter>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace zelk {

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // The document must have at least its first page laid out without error.
    explicit PreviewWindow(std::shared_ptr<ReportDocument> document, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    int currentPage() const;                             // 0-based: the page on show
    void goToPage(int index);                            // clamped to the pages there are; shown at once or when laid out
    bool isBusy() const { return m_target.has_value(); } // a page asked for is being laid out
    // Zoom: a percentage, or fit the page's width or the whole page into the window.
    void setZoomPercent(int percent);
    void fitWidth();
    void fitPage();
    double pixelsPerMm() const;

    // Saves the whole report; errors are shown in a message box. Returns success.
    bool saveAs(const QString &path, ExportFormat format);

public Q_SLOTS:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void printerSetup();
    void print();
    void save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Fit { None, Width, Page };

    void buildToolBar(QVBoxLayout *layout);
    void layOutInBackground();
    // Works at most `budgetMs` towards the page asked for; true when it is shown.
    bool pursueTarget(int budgetMs);
    void showPage(int index);
    int aimedPage() const; // the page asked for, or else the page on show
    void applyZoom();
    void zoomChosen(int index);
    void refreshNavigation();
    void showError(const std::exception &error);
    void printTo(QPrinter &printer);

    std::shared_ptr<ReportDocument> m_document;
    QPrinter m_printer;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QToolButton *m_first = nullptr, *m_previous = nullptr, *m_next = nullptr, *m_last = nullptr;
    QSpinBox *m_pageNumber = nullptr;
    QLabel *m_pageCount = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_zoom = nullptr;
    QTimer *m_layoutTimer = nullptr;
    std::optional<int> m_target; // the page asked for and not shown yet (LastPage: the last)
    bool m_saving = false;       // saving runs the report: nothing else lays pages out meanwhile
    Fit m_fit = Fit::Width;
    int m_percent = 100;
};

} // namespace zelk

// Every window of the program fits a 1366×768 laptop with a task bar: each screen, the
// main menu, the help viewer, the notice, the splash window and the print preview can be
// as small as 1366×720 with a window manager's title bar and borders, and then show every
// control whole; each opens inside the screen, centred on the main menu's screen.
#include "core/main.h"
#include "core/startscherm.h"
#include "core/startup.h"
#include "preview/previewwindow.h"
#include "startedprogram.h"
#include "toolkit/appcontext.h"
#include "toolkit/taskscreen.h"
#include "toolkit/verwerkt.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QLayout>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelk;

namespace {
// The largest outer window beside a task bar on a 1366×768 laptop, and what a window
// manager's title bar and borders may take of it.
const QSize laptop(1366, 720);
const QSize decoration(10, 40);
const QSize largestClient = laptop - decoration;

// The smallest size the window's layout allows.
QSize least(const QWidget *w)
{
    return w->minimumSize().expandedTo(w->minimumSizeHint());
}

bool fits(const QSize &size)
{
    return size.width() <= largestClient.width() && size.height() <= largestClient.height();
}

QString describe(const QString &unit, const QSize &size)
{
    return QStringLiteral("%1: %2×%3, at most %4×%5")
        .arg(unit)
        .arg(size.width())
        .arg(size.height())
        .arg(largestClient.width())
        .arg(largestClient.height());
}

bool insideParts(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p))
            return true; // scrolled content may reach beyond; its area does not
    return false;
}

// Controls that lie (partly) outside the window at its present size.
QStringList cutOff(QWidget *window)
{
    QStringList cut;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->isWindow() || insideParts(w, window))
            continue;
        const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!window->rect().contains(at))
            cut << QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
    }
    return cut;
}
} // namespace

class TestScreenSizes : public QObject {
    Q_OBJECT
    std::unique_ptr<test::StartedProgram> app;

    zelk::main &menu() { return *app->program.mainMenu(); }
    QRect area() { return menu().screen()->availableGeometry(); }

    // At its smallest the window shows every control whole; as opened it lies on the screen.
    void checkWindow(const QString &unit, QWidget *window)
    {
        QVERIFY2(fits(least(window)), qPrintable(describe(unit, least(window))));
        QVERIFY2(area().contains(window->frameGeometry()), qPrintable(unit));
        const QSize opened = window->size();
        window->resize(least(window));
        if (window->layout())
            window->layout()->activate();
        const QStringList cut = cutOff(window);
        QVERIFY2(cut.isEmpty(), qPrintable(unit + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
        window->resize(opened);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<test::StartedProgram>();
        QVERIFY(QTest::qWaitForWindowExposed(&menu()));
    }
    void cleanup() { app.reset(); }

    void theTestRunsOnALaptopScreen() { QCOMPARE(menu().screen()->geometry().size(), QSize(1366, 768)); }

    void theMainMenuFitsAndStartsCentred()
    {
        checkWindow(QStringLiteral("main"), &menu());
        const QPoint off = menu().frameGeometry().center() - area().center();
        QVERIFY2(off.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
    }

    void everyScreenFitsALaptopAndOpensCentred()
    {
        QStringList opened;
        const auto &screens = app->program.context().screens;
        for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
            QWidget *window = it.value();
            if (auto *screen = qobject_cast<TaskScreen *>(window)) {
                screen->openFrom(&menu());
                QVERIFY(QTest::qWaitForWindowExposed(screen));
                QVERIFY2((screen->frameGeometry().center() - area().center()).manhattanLength() <= 2, qPrintable(it.key()));
            } else if (auto *notice = qobject_cast<verwerkt *>(window)) {
                notice->showNotice();
                QVERIFY(notice->isVisible());
            } else {
                window->show();
                QVERIFY2(QTest::qWaitForWindowExposed(window), qPrintable(it.key()));
            }
            checkWindow(it.key(), window);
            window->close();
            opened << it.key();
        }
        // Every screen the program has, the booking screens that were too tall among them.
        for (const char *unit : {"invoerleden", "invoercontri", "invoeromschr", "invoerstartbalans", "invoeroverin", "invoeruitgaven",
                                 "kruisposten", "Tebetalen", "Teontvangen", "uitlegzelk", "verwerkt"})
            QVERIFY2(opened.contains(QString::fromLatin1(unit)), unit);
        QVERIFY(menu().isVisible());
    }

    void theSplashWindowFits()
    {
        startscherm splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        checkWindow(QStringLiteral("startscherm"), &splash);
    }

    void thePrintPreviewFits()
    {
        const auto balans = app->program.context().actions.value(QStringLiteral("printbalans"));
        if (!balans)
            QSKIP("this version has no balance report");
        bool checked = false;
        // The preview runs its own event loop: look for it until it is there.
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *preview = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            if (!preview || !preview->isVisible())
                return;
            poll.stop();
            if (QTest::qWaitForWindowExposed(preview))
                checkWindow(QStringLiteral("afdrukvoorbeeld"), preview);
            checked = !QTest::currentTestFailed();
            preview->reject();
        });
        poll.start();
        balans(&menu());
        QVERIFY(checked);
    }
};

int main(int argc, char **argv)
{
    // The offscreen platform with the screen of a 1366×768 laptop.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("laptop.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication application(argc, argv);
    TestScreenSizes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screensizes.moc"

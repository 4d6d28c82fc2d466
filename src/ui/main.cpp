// The program's entry: the database made writable, the main window with its connection, the
// secondary windows hidden, then the message loop until the main window closes.
//
// For documentation and demonstrations the program can start at a fixed chosen moment (--at, or the
// environment variable VELUNAR_AT) with a given method page in front (--page), and save pictures of
// the method pages instead of running (--screenshot-dir). VELUNAR_OPEN_WINDOWS (a comma-separated list of
// description, dial, manager, places, help, picture, reverse, schedule, plans, next, memo, clock) opens those
// windows once the main window is up, so scripts/check-fit can measure every window without clicking through
// the program; VELUNAR_FIT_PAGES brings each method page to the front in turn and says whether the window shows it whole.
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include "calendar/datetime.h"
#include "calendar/instant.h"
#include "files/noticeplayer.h"
#include "store/database.h"
#include "store/datapaths.h"
#include "ui/desktopnotice.h"
#include "ui/mainwindow.h"
#include "ui/picturewindow.h"
#include "ui/secondary.h"
#include "ui/singleinstance.h"
#include "ui/windowplacement.h"

namespace {

using velunar::ui::MainWindow;

struct Options {
    std::optional<velunar::TypedReading> at;
    int page = -1;
    QString screenshotDir;
    QList<int> pages;
};

bool Fail(const QString& text) {
    QTextStream(stderr) << text << '\n';
    return false;
}

bool ParseOptions(const QCoreApplication& app, Options& o) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velunar"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption at(
        QStringLiteral("at"),
        QStringLiteral("Start in chosen-time mode at this moment (YYYY-MM-DD HH:MM[:SS], optionally with its "
                       "offset: 2026-10-25T02:30:00+02:00)."),
        QStringLiteral("moment"));
    const QCommandLineOption page(QStringLiteral("page"),
                                  QStringLiteral("Method page (0-7) in front at start."),
                                  QStringLiteral("index"));
    const QCommandLineOption shots(
        QStringLiteral("screenshot-dir"),
        QStringLiteral("Run one tick, save a PNG of each method page there, quit."),
        QStringLiteral("folder"));
    const QCommandLineOption pages(
        QStringLiteral("pages"),
        QStringLiteral("Comma-separated method pages to save, 8 for the dial (default: every shown one)."),
        QStringLiteral("list"));
    parser.addOptions({at, page, shots, pages});
    parser.process(app);
    QString moment = parser.value(at);
    if (moment.isEmpty()) moment = qEnvironmentVariable("VELUNAR_AT");
    if (!moment.isEmpty()) {
        o.at = velunar::ParseTypedReading(moment.toStdString());
        if (!o.at) return Fail(QStringLiteral("--at: not a date-time: %1").arg(moment));
    }
    bool ok = true;
    if (parser.isSet(page)) {
        o.page = parser.value(page).toInt(&ok);
        if (!ok || o.page < 0 || o.page > 7) return Fail(QStringLiteral("--page: 0 to 7"));
    }
    o.screenshotDir = parser.value(shots);
    for (const QString& p : parser.value(pages).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        o.pages << p.toInt(&ok);
        if (!ok || o.pages.back() < 0 || o.pages.back() > 8) return Fail(QStringLiteral("--pages: 0 to 8"));
    }
    return true;
}

// One tick, then every requested page of the method area, grabbed as the whole window shows it.
int SaveScreenshots(MainWindow& window, const Options& o) {
    QDir dir(o.screenshotDir);
    if (!dir.mkpath(QStringLiteral(".")))
        return Fail(QStringLiteral("cannot create %1").arg(o.screenshotDir)), 1;
    window.tick();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("methodPages"));
    QList<int> pages = o.pages;
    if (pages.isEmpty())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i)) pages << i;
    for (int i : pages) {
        tabs->setCurrentIndex(i);
        // The window follows the page in two turns: its layout, then its size.
        for (int turn = 0; turn < 3; ++turn) QApplication::processEvents();
        const QString file = dir.filePath(
            QStringLiteral("page-%1-%2.png").arg(i).arg(tabs->widget(i)->objectName().toLower()));
        if (!window.grab().save(file)) return Fail(QStringLiteral("cannot write %1").arg(file)), 1;
        QTextStream(stdout) << file << '\n';
    }
    // The tall window, describing the opened Ling Gui point.
    tabs->setCurrentIndex(2);
    window.findChild<QPushButton*>(QStringLiteral("descriptionToggle"))->click();
    window.activateWindow();
    window.findChild<QWidget*>(QStringLiteral("lingGuiPointBox"))->setFocus();
    QApplication::processEvents();
    window.tick();
    QApplication::processEvents();
    const QString file = dir.filePath(QStringLiteral("window-description.png"));
    if (!window.grab().save(file)) return Fail(QStringLiteral("cannot write %1").arg(file)), 1;
    QTextStream(stdout) << file << '\n';
    return 0;
}

// What a later start hands the running window: the chosen moment and the method page it was given.
QStringList RequestsOf(const Options& o) {
    QStringList lines;
    if (o.at) {
        // With the offset it was given, so the running window takes the same instant.
        std::string at = velunar::FormatIso(o.at->reading);
        if (o.at->offsetSeconds)
            at = velunar::FormatIsoInstant(velunar::InstantAt(o.at->reading, *o.at->offsetSeconds),
                                           *o.at->offsetSeconds);
        lines << QStringLiteral("at ") + QString::fromStdString(at);
    }
    if (o.page >= 0) lines << QStringLiteral("page %1").arg(o.page);
    return lines;
}

QString RequestedOptionNames(const Options& o) {
    QStringList names;
    if (o.at) names << QStringLiteral("--at");
    if (o.page >= 0) names << QStringLiteral("--page");
    return names.join(QStringLiteral("、"));
}

// Shows what a later start asked for, as if the running window had been started with it.
void TakeRequests(MainWindow& window, const QStringList& lines) {
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("at "))) {
            if (const auto at = velunar::ParseTypedReading(line.mid(3).toStdString())) {
                window.setChosenTime(at->reading, at->offsetSeconds);
                window.tick();
            }
        } else if (line.startsWith(QLatin1String("page "))) {
            bool ok = false;
            const int page = line.mid(5).toInt(&ok);
            auto* pages = window.findChild<QTabWidget*>(QStringLiteral("methodPages"));
            if (ok && page >= 0 && page < pages->count()) pages->setCurrentIndex(page);
        }
    }
}

// Opens the windows named in VELUNAR_OPEN_WINDOWS as the user would; a modal one (memo, clock) last, since it
// holds the event loop until it is closed.
void OpenWindowsForChecking(MainWindow& window) {
    const QStringList names =
        qEnvironmentVariable("VELUNAR_OPEN_WINDOWS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    auto trigger = [&window](const char* action) {
        if (auto* a = window.findChild<QAction*>(QString::fromLatin1(action))) a->trigger();
    };
    auto click = [&window](const char* button) {
        if (auto* b = window.findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
    };
    for (const QString& name : names) {
        if (name == QLatin1String("description")) click("descriptionToggle");
        if (name == QLatin1String("dial")) {
            auto* pages = window.findChild<QTabWidget*>(QStringLiteral("methodPages"));
            pages->setCurrentIndex(pages->count() - 1);
        }
        if (name == QLatin1String("manager")) trigger("descriptionManagerAction");
        if (name == QLatin1String("places")) trigger("placePickerAction");
        if (name == QLatin1String("help")) trigger("trueSolarHelpAction");
        if (name == QLatin1String("picture"))
            velunar::ui::ShowSecondary(window.secondaryWindows().pictureWindow);
        if (name == QLatin1String("reverse")) trigger("reverseLookupAction");
        if (name == QLatin1String("schedule")) trigger("scheduleAction");
        if (name == QLatin1String("plans")) trigger("planAction");
        if (name == QLatin1String("next")) trigger("nextOpeningsAction");
    }
    if (names.contains(QLatin1String("memo"))) click("beijingNoteButton");
    if (names.contains(QLatin1String("clock"))) trigger("clockSettingsAction");
}

QtMessageHandler qtMessages = nullptr;

// Qt choosing a runtime folder for itself when XDG_RUNTIME_DIR is unset (a session started without one) is
// nothing the user can act on; everything else Qt says goes out as Qt would say it.
void QuietRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtMessages(type, context, text);
}

// For scripts/check-fit (VELUNAR_FIT_PAGES): brings each method page to the front in turn and says, once the
// window has followed, whether the window shows it whole or its content scrolls.
void ReportPageFit(MainWindow& window) {
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("methodPages"));
    auto* area = qobject_cast<QScrollArea*>(window.centralWidget());
    auto next = std::make_shared<std::function<void(int)>>();
    *next = [&window, tabs, area, next](int i) {
        while (i < tabs->count() && !tabs->isTabVisible(i)) ++i;
        if (i >= tabs->count()) {
            QTextStream(stdout) << "pages done\n" << Qt::flush;
            return;
        }
        tabs->setCurrentIndex(i);
        QTimer::singleShot(700, &window, [&window, tabs, area, next, i] {
            const bool whole =
                area->verticalScrollBar()->maximum() == 0 && area->horizontalScrollBar()->maximum() == 0;
            const QWidget* page = tabs->widget(i);
            QTextStream(stdout) << QStringLiteral("page %1 %2: window %3x%4, page %5x%6: %7\n")
                                       .arg(i)
                                       .arg(page->objectName())
                                       .arg(window.width())
                                       .arg(window.height())
                                       .arg(page->width())
                                       .arg(page->height())
                                       .arg(whole ? QStringLiteral("whole") : QStringLiteral("SCROLLS"))
                                << Qt::flush;
            (*next)(i + 1);
        });
    };
    (*next)(0);
}

// Qt's own dialogs and standard buttons (保存, 取消, 打开) in Chinese, from Qt's translations when installed.
void InstallQtTranslation(QApplication& app) {
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
    else
        delete qt;
}

}  // namespace

int main(int argc, char** argv) {
    qtMessages = qInstallMessageHandler(QuietRuntimeFolderNote);
    // --help and --version need no display: answered before any window system is asked for.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v" || arg == "--help-all") {
            QCoreApplication plain(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("velunar"));
            QCoreApplication::setApplicationVersion(QStringLiteral(VELUNAR_VERSION));
            Options ignored;
            return ParseOptions(plain, ignored) ? 0 : 2;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velunar"));
    QApplication::setApplicationVersion(QStringLiteral(VELUNAR_VERSION));
    // Wayland shells match the window to its menu entry by this name, not by the executable's.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velunar.velunar"));
    Options options;
    if (!ParseOptions(app, options)) return 2;
    InstallQtTranslation(app);
    using namespace velunar;
    try {
        const store::DataPaths paths = store::DataPaths::ForExecutable();
        // An installed program gives each user a copy of the shipped database at the first start.
        paths.PrepareUserDatabase();
        ui::SingleInstance instance(paths.DatabaseFile());
        const QStringList requests = RequestsOf(options);
        const ui::SingleInstance::Start start = instance.acquire(requests);
        if (start == ui::SingleInstance::Start::OtherRunning) {
            if (!instance.askedRunning())
                QMessageBox::information(nullptr, QStringLiteral("VelunarV4.5"),
                                         QStringLiteral("程序已经在运行（%1）。").arg(instance.lockFile()));
            else if (!requests.isEmpty() && !instance.requestsTaken())
                QMessageBox::information(
                    nullptr, QStringLiteral("VelunarV4.5"),
                    QStringLiteral("程序已经在运行，已切换到它的窗口；它没有接受本次给出的 %1。")
                        .arg(RequestedOptionNames(options)));
            return 0;
        }
        // Where each window was left, kept per user; a screenshot run neither reads nor changes it.
        QSettings placements(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velunar"),
                             QStringLiteral("windows"));
        if (options.screenshotDir.isEmpty()) ui::UsePlacementStore(&placements);
        ui::MainWindow window(paths);
        if (start == ui::SingleInstance::Start::Unlocked)
            window.runWithoutLock(instance.lockFile(), instance.unlockedReason(), instance.folderReadOnly());
        QObject::connect(&instance, &ui::SingleInstance::requestsReceived, &window,
                         [&window](const QStringList& lines) { TakeRequests(window, lines); });
        QObject::connect(&instance, &ui::SingleInstance::activationRequested, &window, [&window] {
            window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
            window.show();
            window.raise();
            window.activateWindow();
        });
        window.setNoticePlayer(std::make_unique<MediaNoticePlayer>());
        window.setDesktopNotifier(std::make_unique<ui::FreedesktopNotifier>());
        window.setSecondaryWindows(ui::CreateSecondaryWindows(window));
        if (options.at) window.setChosenTime(options.at->reading, options.at->offsetSeconds);
        window.show();
        if (options.page >= 0)
            window.findChild<QTabWidget*>(QStringLiteral("methodPages"))->setCurrentIndex(options.page);
        if (!options.screenshotDir.isEmpty()) return SaveScreenshots(window, options);
        if (qEnvironmentVariableIsSet("VELUNAR_OPEN_WINDOWS"))
            QTimer::singleShot(500, &window, [&window] { OpenWindowsForChecking(window); });
        if (qEnvironmentVariableIsSet("VELUNAR_FIT_PAGES"))
            QTimer::singleShot(900, &window, [&window] { ReportPageFit(window); });
        const int status = QApplication::exec();
        ui::UsePlacementStore(nullptr);
        return status;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("VelunarV4.5"), QString::fromUtf8(e.what()));
        return 1;
    }
}

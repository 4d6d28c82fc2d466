#include "ui/secondary.h"

#include <QMessageBox>
#include <QShortcut>

#include "ui/detailwindow.h"
#include "files/noticeplayer.h"
#include "ui/mainwindow.h"
#include "ui/nextwindow.h"
#include "ui/planningsource.h"
#include "ui/planreminder.h"
#include "ui/planwindow.h"
#include "ui/picturewindow.h"
#include "ui/placepicker.h"
#include "ui/reversewindow.h"
#include "ui/schedulewindow.h"
#include "ui/textwindow.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

// The treatment plans, the next openings and the reminder, and the 开穴表's marks of the chosen plan; each
// view follows when a plan or the hours are saved.
void AddPlanningWindows(MainWindow& mainWindow, SecondaryWindows& w) {
    auto tables = [&mainWindow] { return mainWindow.referenceTables(); };
    auto place = [&mainWindow] { return mainWindow.placeInput(); };
    auto* plans = new PlanWindow(mainWindow.database(), tables, &mainWindow);
    auto* next = new NextWindow(
        mainWindow.database(), tables, place, [&mainWindow] { return mainWindow.reference(); }, &mainWindow);
    auto* schedule = qobject_cast<ScheduleWindow*>(w.schedule);
    schedule->setPlanMarksSource(
        [&mainWindow](std::int64_t first, std::int64_t last, const std::optional<TickInput>& at) {
            return PlanMarksFor(mainWindow.database(), first, last, at);
        });
    PlanReminder::Sources sources;
    sources.db = &mainWindow.database();
    sources.tables = tables;
    sources.place = place;
    sources.withSound = [&mainWindow] {
        return mainWindow.settingsRecord().IsOpen() && IsChecked(mainWindow.settingsRecord().Hint());
    };
    sources.playSound = [&mainWindow] {
        if (NoticePlayer* player = mainWindow.noticePlayer())
            player->play(mainWindow.dataPaths().SoundFile());
    };
    auto* reminder = new PlanReminder(std::move(sources), std::make_unique<SystemReminderClock>(place),
                                      std::make_unique<DesktopReminderNotifier>(), &mainWindow);
    auto followed = [plans, next, schedule] {
        if (plans->isVisible()) plans->reload();
        if (next->isVisible()) next->refresh();
        if (schedule->isVisible()) schedule->refresh();
    };
    QObject::connect(plans, &PlanWindow::planningChanged, &mainWindow, followed);
    QObject::connect(next, &NextWindow::planningChanged, &mainWindow, followed);
    w.plans = plans;
    w.nextOpenings = next;
    w.reminder = reminder;
}

}  // namespace

SecondaryWindows CreateSecondaryWindows(MainWindow& mainWindow) {
    SecondaryWindows w;
    auto* picker = new PlacePicker(mainWindow.dataPaths(), &mainWindow);
    picker->setPickHandler(
        [&mainWindow](const QString& xy, const QString& where) { mainWindow.pickPlace(xy, where); });
    w.placePicker = picker;
    w.descriptionManager = new DescriptionManager(mainWindow.database(), &mainWindow);
    w.pictureWindow = new PictureWindow(&mainWindow);
    w.helpWindow = new HelpTextWindow(&mainWindow);
    auto* reverse = new ReverseLookupWindow(
        mainWindow.database(), [&mainWindow] { return mainWindow.referenceTables(); },
        [&mainWindow] { return mainWindow.referenceTime(); }, &mainWindow);
    reverse->setPlaceSource([&mainWindow] { return mainWindow.placeInput(); });
    reverse->setSpellingSource([&mainWindow] { return mainWindow.spelling(); });
    w.reverseLookup = reverse;
    w.schedule = new ScheduleWindow([&mainWindow] { return mainWindow.referenceTables(); },
                                    [&mainWindow] { return mainWindow.tickInput(); },
                                    [&mainWindow] { return mainWindow.referenceTime(); },
                                    [&mainWindow](DateTime t, int offsetSeconds) {
                                        // As a click on the dial: the chosen moment, and the pages follow at
                                        // once.
                                        mainWindow.setChosenTime(t, offsetSeconds);
                                        mainWindow.tick();
                                    },
                                    &mainWindow);
    AddPlanningWindows(mainWindow, w);
    // Esc closes each of them, as it closes a dialog; a window with unsaved edits asks first.
    for (QWidget* window : {w.placePicker, w.descriptionManager, static_cast<QWidget*>(w.pictureWindow),
                            static_cast<QWidget*>(w.helpWindow), w.reverseLookup, w.schedule, w.plans,
                            w.nextOpenings}) {
        auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        esc->setObjectName(QStringLiteral("closeShortcut"));
        esc->setContext(Qt::WindowShortcut);
        QObject::connect(esc, &QShortcut::activated, window, &QWidget::close);
    }
    return w;
}

void ShowSecondary(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
    // Asked for again while open: the lookup is ready for the next point.
    if (auto* lookup = qobject_cast<ReverseLookupWindow*>(window)) lookup->focusPointBox();
}

void Warn(QWidget* window, const WarningHook& hook, const QString& text) {
    if (hook) {
        hook(text);
        return;
    }
    QMessageBox::warning(window, window->windowTitle(), text);
}

void CentreOnScreen(QWidget* window) {
    QRect frame(window->pos(), window->size() + FrameExtra(window));
    frame.moveCenter(AvailableArea(window).center());
    window->move(frame.topLeft());
}

}  // namespace velunar::ui

#include "ui/secondary.h"

#include <QMessageBox>
#include <QShortcut>

#include "ui/detailwindow.h"
#include "ui/mainwindow.h"
#include "ui/picturewindow.h"
#include "ui/placepicker.h"
#include "ui/reversewindow.h"
#include "ui/schedulewindow.h"
#include "ui/textwindow.h"
#include "ui/windowplacement.h"

namespace velunar::ui {

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
    // Esc closes each of them, as it closes a dialog; a window with unsaved edits asks first.
    for (QWidget* window : {w.placePicker, w.descriptionManager, static_cast<QWidget*>(w.pictureWindow),
                            static_cast<QWidget*>(w.helpWindow), w.reverseLookup, w.schedule}) {
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

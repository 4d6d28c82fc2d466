#include "ui/secondary.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "ui/detailwindow.h"
#include "ui/mainwindow.h"
#include "ui/picturewindow.h"
#include "ui/placepicker.h"
#include "ui/reversewindow.h"
#include "ui/textwindow.h"

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
    w.reverseLookup = new ReverseLookupWindow(
        mainWindow.database(), [&mainWindow] { return mainWindow.referenceTables(); },
        [&mainWindow] { return mainWindow.referenceTime(); }, &mainWindow);
    return w;
}

void ShowSecondary(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void Warn(QWidget* window, const WarningHook& hook, const QString& text) {
    if (hook) {
        hook(text);
        return;
    }
    QMessageBox::warning(window, window->windowTitle(), text);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace velunar::ui

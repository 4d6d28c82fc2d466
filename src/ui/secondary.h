#pragma once
// The windows that stand around the main window. All are created hidden at start-up, live as long as
// the main window (they are its children, shown as windows of their own) and are only hidden when
// closed.
#include <functional>

#include <QString>
#include <QWidget>

namespace velunar::ui {

class HelpTextWindow;
class PictureWindow;
class MainWindow;

struct SecondaryWindows {
    QWidget* placePicker = nullptr;
    QWidget* descriptionManager = nullptr;  // edits the points' descriptions and picture paths
    PictureWindow* pictureWindow = nullptr;
    HelpTextWindow* helpWindow = nullptr;
    QWidget* reverseLookup = nullptr;
    QWidget* schedule = nullptr;  // 开穴表
    QWidget* plans = nullptr;          // 治疗方案 and the clinic's hours
    QWidget* nextOpenings = nullptr;   // 下次开穴
    QObject* reminder = nullptr;       // the reminder before the chosen plan's openings
};

// Creates the secondary windows in start-up order (place picker, description manager, picture window,
// help window, reverse lookup, schedule, plans, next openings), hidden, and the reminder, owned by
// `mainWindow`.
SecondaryWindows CreateSecondaryWindows(MainWindow& mainWindow);

// Shows a secondary window without making it modal, or brings it to the front when already shown.
void ShowSecondary(QWidget* window);

// Where a window's error reports go instead of a message box (tests set one, so nothing blocks).
using WarningHook = std::function<void(const QString& text)>;
// Hands the text to the hook when one is set, else shows it in a warning box titled as the window.
void Warn(QWidget* window, const WarningHook& hook, const QString& text);

// Moves a window, frame included, to the centre of the screen it is on (or the primary screen).
void CentreOnScreen(QWidget* window);

}  // namespace velunar::ui

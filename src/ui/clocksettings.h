#pragma once
// The way to the system's clock: after a confirmation, the desktop's own date-and-time settings are
// started as a separate program. The program never sets the clock itself.
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

namespace velunar::ui {

inline constexpr const char* kClockConfirmText = "将要修改系统机器时间，是否继续？";
inline constexpr const char* kClockConfirmTitle = "修改系统时间";

// A settings program that opens at its date-and-time page.
struct ClockTool {
    QString program;
    QStringList arguments;
    QStringList desktops;  // XDG_CURRENT_DESKTOP names of the desktops it belongs to
};

// The known tools, in the order they are tried when none belongs to the running desktop.
const std::vector<ClockTool>& KnownClockTools();

// The tool to start: those of the running desktop first (currentDesktop is XDG_CURRENT_DESKTOP, a
// colon-separated list, compared ignoring case), then the others in their listed order. findExecutable
// gives a program's full path, or an empty text when it is not installed. The program of the result is
// the full path.
std::optional<ClockTool> ChooseClockTool(const std::function<QString(const QString&)>& findExecutable,
                                         const QString& currentDesktop);

// Everything that talks to the user or the system, replaceable so that tests never block or start
// anything. An empty member falls back to the real thing.
struct ClockSettingsHooks {
    std::function<bool(QWidget* parent)> confirm;  // true for Yes
    std::function<void(QWidget* parent, const QString& text)> inform;
    std::function<QString(const QString& program)> findExecutable;
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    std::optional<QString> currentDesktop;  // default: the environment's XDG_CURRENT_DESKTOP
};

enum class ClockSettingsOutcome {
    Declined,     // the user answered No or closed the confirmation: nothing started
    Started,      // the settings program was started; it runs on by itself
    NoTool,       // none of the known programs is installed; the user was told
    StartFailed,  // the program exists but could not be started; the user was told
};

// The menu item that sets the clock: confirmation "将要修改系统机器时间，是否继续？" (titled 修改系统时间,
// question icon, 是 / 否 with 否 the default), then the settings program, started detached. Returns at once;
// never throws.
ClockSettingsOutcome OpenClockSettings(QWidget* parent, const ClockSettingsHooks& hooks = {});

}  // namespace velunar::ui

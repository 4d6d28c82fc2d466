#include "ui/clocksettings.h"

#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace velunar::ui {

const std::vector<ClockTool>& KnownClockTools() {
    static const std::vector<ClockTool> tools = {
        {QStringLiteral("gnome-control-center"), {QStringLiteral("datetime")}, {QStringLiteral("GNOME")}},
        {QStringLiteral("kcmshell6"), {QStringLiteral("kcm_clock")}, {QStringLiteral("KDE")}},
        {QStringLiteral("kcmshell5"), {QStringLiteral("kcm_clock")}, {QStringLiteral("KDE")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_clock")}, {QStringLiteral("KDE")}},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("calendar")}, {QStringLiteral("X-Cinnamon")}},
        {QStringLiteral("budgie-control-center"), {QStringLiteral("datetime")}, {QStringLiteral("Budgie")}},
        {QStringLiteral("unity-control-center"), {QStringLiteral("datetime")}, {QStringLiteral("Unity")}},
        {QStringLiteral("mate-time-admin"), {}, {QStringLiteral("MATE")}},
        {QStringLiteral("lxqt-admin-time"), {}, {QStringLiteral("LXQt")}},
        // Xfce has no date-and-time settings of its own; this older tool is what it usually gets.
        {QStringLiteral("time-admin"), {}, {QStringLiteral("XFCE"), QStringLiteral("LXDE")}},
    };
    return tools;
}

namespace {

bool BelongsTo(const ClockTool& tool, const QString& desktop) {
    return tool.desktops.contains(desktop, Qt::CaseInsensitive);
}

std::optional<ClockTool> Installed(const ClockTool& tool,
                                   const std::function<QString(const QString&)>& findExecutable) {
    const QString path = findExecutable(tool.program);
    if (path.isEmpty()) return std::nullopt;
    ClockTool found = tool;
    found.program = path;
    return found;
}

bool AskYesNo(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kClockConfirmTitle),
                    QString::fromUtf8(kClockConfirmText), QMessageBox::Yes | QMessageBox::No, parent);
    // Changing the machine's clock is not what Enter should do by accident.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Tell(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("修改系统时间"), text);
}

QString NoToolText() {
    QStringList names;
    for (const ClockTool& tool : KnownClockTools()) names.append(tool.program);
    names.removeDuplicates();
    return QStringLiteral(
               "没有找到本机桌面的日期和时间设置程序（已查找：%1）。\n"
               "请在桌面的系统设置中修改日期和时间。")
        .arg(names.join(QStringLiteral("、")));
}

}  // namespace

std::optional<ClockTool> ChooseClockTool(const std::function<QString(const QString&)>& findExecutable,
                                         const QString& currentDesktop) {
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        for (const ClockTool& tool : KnownClockTools()) {
            if (!BelongsTo(tool, desktop)) continue;
            if (auto found = Installed(tool, findExecutable)) return found;
        }
    }
    for (const ClockTool& tool : KnownClockTools()) {
        if (auto found = Installed(tool, findExecutable)) return found;
    }
    return std::nullopt;
}

ClockSettingsOutcome OpenClockSettings(QWidget* parent, const ClockSettingsHooks& hooks) {
    const auto confirm = hooks.confirm ? hooks.confirm : AskYesNo;
    const auto inform = hooks.inform ? hooks.inform : Tell;
    const auto find = hooks.findExecutable ? hooks.findExecutable : [](const QString& name) {
        return QStandardPaths::findExecutable(name);
    };
    const auto start =
        hooks.startDetached ? hooks.startDetached : [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
        };
    const QString desktop =
        hooks.currentDesktop ? *hooks.currentDesktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (!confirm(parent)) return ClockSettingsOutcome::Declined;
    const std::optional<ClockTool> tool = ChooseClockTool(find, desktop);
    if (!tool) {
        inform(parent, NoToolText());
        return ClockSettingsOutcome::NoTool;
    }
    if (!start(tool->program, tool->arguments)) {
        inform(parent, QStringLiteral("无法启动日期和时间设置程序 %1。").arg(tool->program));
        return ClockSettingsOutcome::StartFailed;
    }
    return ClockSettingsOutcome::Started;
}

}  // namespace velunar::ui

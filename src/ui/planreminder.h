#pragma once
// The reminder before the chosen plan's next opening: off unless the user turns it on (管理 → 治疗方案,
// 门诊时间), it looks at the clock every little while, the window shown, minimised or hidden alike, and tells
// the desktop once for each part of an opening inside the clinic's hours that begins within the minutes set,
// with the sound of the double-hour notice when that is on. The clock and the desktop are small interfaces,
// so a test drives it with a clock of its own.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include <QObject>
#include <QString>

#include "calendar/instant.h"
#include "calendar/tick.h"
#include "methods/reference_tables.h"

class QSystemTrayIcon;
class QTimer;

namespace velunar::store {
class Database;
}

namespace velunar::ui {

class ReminderClock {
  public:
    virtual ~ReminderClock() = default;
    virtual Instant now() const = 0;
};

// The clock as the main window reads it: the instant itself on a tz-database zone's page, else the
// machine's clock read as the page's.
class SystemReminderClock : public ReminderClock {
  public:
    explicit SystemReminderClock(std::function<TickInput()> place) : place_(std::move(place)) {}
    Instant now() const override;

  private:
    std::function<TickInput()> place_;
};

class ReminderNotifier {
  public:
    virtual ~ReminderNotifier() = default;
    // Returns at once and never fails aloud.
    virtual void remind(const QString& title, const QString& text) = 0;
};

// The desktop's notification service (freedesktop notifications on the session bus); where no service
// answers, the balloon of a tray icon, shown only then.
class DesktopReminderNotifier : public ReminderNotifier {
  public:
    DesktopReminderNotifier();
    ~DesktopReminderNotifier() override;
    void remind(const QString& title, const QString& text) override;

  private:
    std::unique_ptr<QSystemTrayIcon> tray_;
};

class PlanReminder : public QObject {
    Q_OBJECT
  public:
    struct Sources {
        store::Database* db = nullptr;
        std::function<std::shared_ptr<const ReferenceTables>()> tables;
        std::function<TickInput()> place;  // the page in front's place and switches
        std::function<bool()> withSound;   // the double-hour notice's sound setting
        std::function<void()> playSound;
    };
    // How often the clock is looked at.
    static constexpr int kCheckMs = 20'000;

    PlanReminder(Sources sources, std::unique_ptr<ReminderClock> clock,
                 std::unique_ptr<ReminderNotifier> notifier, QObject* parent = nullptr);
    ~PlanReminder() override;

    // Reads the plan, the hours and the setting again, and reminds of what begins within the minutes set
    // and was not told yet. Runs by itself every kCheckMs.
    void check();
    // How many reminders were given (tests).
    int given() const { return given_; }

  private:
    Sources sources_;
    std::unique_ptr<ReminderClock> clock_;
    std::unique_ptr<ReminderNotifier> notifier_;
    QTimer* timer_ = nullptr;
    // The parts told: their first second and their opening's line.
    std::set<std::pair<std::int64_t, std::string>> told_;
    int given_ = 0;
};

}  // namespace velunar::ui

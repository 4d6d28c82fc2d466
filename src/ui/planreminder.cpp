#include "ui/planreminder.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVariantMap>

#include "store/database.h"
#include "store/planning.h"
#include "store/tzdb.h"
#include "ui/planningsource.h"

namespace velunar::ui {
namespace {

// Every text the reminder shows, in one place.
struct Texts {
    static QString Title(const QString& plan) {
        return QCoreApplication::translate("PlanReminder", "开穴提醒：%1").arg(plan);
    }
    // "公孙（灵龟八法）09:27 开穴，门诊时间内至 11:27"
    static QString Line(const QString& point, const QString& doctrine, const QString& start,
                        const QString& end) {
        return QCoreApplication::translate("PlanReminder", "%1（%2）%3 开穴，门诊时间内至 %4")
            .arg(point, doctrine, start, end);
    }
};

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

}  // namespace

Instant SystemReminderClock::now() const {
    const TickInput place = place_ ? place_() : TickInput{};
    if (place.page == TimePage::Abroad && !place.ianaZone.empty() && store::IsKnownZone(place.ianaZone))
        return store::Now();
    return InstantOf(ClockReference(store::MachineClockNow()), place);
}

DesktopReminderNotifier::DesktopReminderNotifier() = default;
DesktopReminderNotifier::~DesktopReminderNotifier() = default;

void DesktopReminderNotifier::remind(const QString& title, const QString& text) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService)) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
        call << QStringLiteral("Velunar") << 0u << QStringLiteral("org.velunar.velunar") << title << text
             << QStringList()
             << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("org.velunar.velunar")},
                            {QStringLiteral("urgency"), QVariant::fromValue<uchar>(1)}}
             << -1;
        bus.asyncCall(call);
        return;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Nowhere else to say it: the taskbar entry asks for attention.
        if (QWidget* window = QApplication::activeWindow()) QApplication::alert(window);
        return;
    }
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
        tray_->setToolTip(title);
    }
    tray_->show();
    tray_->showMessage(title, text, QSystemTrayIcon::Information, 30'000);
}

PlanReminder::PlanReminder(Sources sources, std::unique_ptr<ReminderClock> clock,
                           std::unique_ptr<ReminderNotifier> notifier, QObject* parent)
    : QObject(parent),
      sources_(std::move(sources)),
      clock_(std::move(clock)),
      notifier_(std::move(notifier)) {
    timer_ = new QTimer(this);
    timer_->setInterval(kCheckMs);
    connect(timer_, &QTimer::timeout, this, &PlanReminder::check);
    timer_->start();
}

PlanReminder::~PlanReminder() = default;

void PlanReminder::check() {
    if (!sources_.db || !sources_.db->IsOpen() || !clock_ || !notifier_) return;
    const PlanningState state = ReadPlanning(*sources_.db);
    if (!state.error.empty() || !state.clinic.reminder || !state.plan) return;
    const std::shared_ptr<const ReferenceTables> tables = sources_.tables ? sources_.tables() : nullptr;
    if (!tables) return;
    const Instant now = clock_->now();
    // A reminder set to 0 minutes still comes, a minute ahead: at the start itself it would be too late.
    const std::int64_t ahead = std::max(1, state.clinic.reminderMinutes) * 60'000LL;
    const std::optional<TickInput> place =
        SpannedPlace(sources_.place ? sources_.place() : TickInput{}, now, 3);
    if (!place) return;
    NextOpenings search(state.plan->points, state.plan->doctrines, *place, state.hours, *tables);
    QStringList lines;
    for (const NextOpening& o : search.Between(now, now + ahead + kMsPerSecond)) {
        for (const ClockSpan& part : o.inside) {
            if (part.start <= now || part.start - ahead > now) continue;
            if (!told_.insert({part.start.ms, search.Line(o)}).second) continue;
            lines << Texts::Line(QString::fromStdString(search.Points()[o.point]),
                                 QString::fromStdString(store::DoctrineTitle(o.opening.Doctrine())),
                                 QString::fromStdString(StartText(o.opening.day, part, false)),
                                 QString::fromStdString(EndText(o.opening.day, part, false)));
        }
    }
    // What was told a day ago cannot come again.
    while (!told_.empty() && told_.begin()->first < now.ms - kMsPerDay) told_.erase(told_.begin());
    if (lines.isEmpty()) return;
    ++given_;
    notifier_->remind(Texts::Title(QString::fromStdString(state.plan->name)), lines.join(QLatin1Char('\n')));
    if (sources_.withSound && sources_.withSound() && sources_.playSound) sources_.playSound();
}

}  // namespace velunar::ui

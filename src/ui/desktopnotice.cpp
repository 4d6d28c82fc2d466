#include "ui/desktopnotice.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace velunar::ui {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

}  // namespace

void FreedesktopNotifier::notify(const QString& title, const QString& text) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    // Asked without waiting: a bus that knows no such service simply answers with an error nobody reads.
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Velunar") << *replaces_ << QStringLiteral("org.velunar.velunar") << title << text
         << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("org.velunar.velunar")}} << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [id = std::weak_ptr<unsigned>(replaces_), watcher] {
                         const QDBusPendingReply<uint> reply = *watcher;
                         if (const auto kept = id.lock(); kept && reply.isValid()) *kept = reply.value();
                         watcher->deleteLater();
                     });
}

}  // namespace velunar::ui

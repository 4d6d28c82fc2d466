#pragma once
// The double-hour notice on the desktop, beside the banner in the window: a freedesktop notification over
// the session's D-Bus where a notification service runs. It never waits for the service and never fails
// aloud: without a bus or a service the banner alone tells the user.
#include <memory>

#include <QString>
#include <QStringList>

namespace velunar::ui {

class DesktopNotifier {
  public:
    virtual ~DesktopNotifier() = default;
    // Returns at once.
    virtual void notify(const QString& title, const QString& text) = 0;
};

// org.freedesktop.Notifications on the session bus, each notice replacing the one before.
class FreedesktopNotifier : public DesktopNotifier {
  public:
    void notify(const QString& title, const QString& text) override;

  private:
    // The id of the last notice, kept apart so that an answer coming after the window went reaches nothing.
    std::shared_ptr<unsigned> replaces_ = std::make_shared<unsigned>(0);
};

// Remembers the texts, for tests.
class RecordingNotifier : public DesktopNotifier {
  public:
    void notify(const QString&, const QString& text) override { texts.append(text); }
    QStringList texts;
};

}  // namespace velunar::ui

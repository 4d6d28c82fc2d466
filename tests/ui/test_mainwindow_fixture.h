#pragma once
// A main window on a private copy of the built database, with every message box and the sound
// recorded instead of shown or played, and the tick driven by hand.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>

#include "calendar/datetime.h"
#include "files/noticeplayer.h"
#include "store/datapaths.h"
#include "ui/desktopnotice.h"
#include "ui/mainwindow.h"
#include "ui/secondary.h"

namespace velunar::ui::testing {

struct Message {
    MessageKind kind;
    QString text;
};

class Harness {
  public:
    // `prepare` runs SQL on the copy before the window opens it.
    explicit Harness(const QStringList& prepare = {}) {
        if (!dir.isValid()) qFatal("no temporary folder");
        const QString source = QStringLiteral(VELUNAR_BIN_DIR "/db1.sqlite");
        if (!QFile::copy(source, dbPath())) qFatal("cannot copy %s", qPrintable(source));
        QFile::setPermissions(dbPath(), QFile::ReadOwner | QFile::WriteOwner);
        for (const QString& sql : prepare) exec(sql);
        window = std::make_unique<MainWindow>(store::DataPaths(dir.path()));
        window->setMessageHook([this](MessageKind k, const QString& t) { messages.push_back({k, t}); });
        auto p = std::make_unique<RecordingNoticePlayer>();
        player = p.get();
        window->setNoticePlayer(std::move(p));
        auto n = std::make_unique<RecordingNotifier>();
        notifier = n.get();
        window->setDesktopNotifier(std::move(n));
        window->setSecondaryWindows(CreateSecondaryWindows(*window));
        window->findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
    }

    QString dbPath() const { return dir.filePath(QStringLiteral("db1.sqlite")); }

    // Showing the window runs FormShow (connection reopened, settings loaded, time page chosen).
    void show() {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) qFatal("window not exposed");
    }

    // One tick, as the timer would run it; the timer is stopped again so no tick runs behind the test.
    void tick() {
        window->tick();
        window->findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();
    }

    template <class W = QWidget>
    W* get(const char* name) const {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QString text(const char* name) const { return get<QLineEdit>(name)->text(); }

    // Chosen-time mode at a civil date-time, only Beijing time, and the given time mode (0..2).
    void chooseMoment(DateTime t, int mode, bool onlyBeijing = true) {
        window->setChosenTime(t);
        auto* only = get<QCheckBox>("onlyBeijingBox");
        if ((only->checkState() == Qt::Checked) != onlyBeijing) only->click();
        get<QAbstractButton>(QStringLiteral("timeModeButton%1").arg(mode).toLatin1().constData())->click();
    }

    // SQL on the copy through a connection of its own.
    void exec(const QString& sql) const {
        withDb([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            if (!q.exec(sql)) qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        });
    }
    QString value(const QString& sql) const {
        QString result;
        withDb([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            if (!q.exec(sql)) qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            if (q.next()) result = q.value(0).toString();
        });
        return result;
    }

    int count(MessageKind kind) const {
        int n = 0;
        for (const Message& m : messages) n += m.kind == kind;
        return n;
    }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
    RecordingNoticePlayer* player = nullptr;
    RecordingNotifier* notifier = nullptr;  // the desktop notifications given
    std::vector<Message> messages;

  private:
    void withDb(const std::function<void(QSqlDatabase&)>& f) const {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(dbPath());
            if (!db.open()) qFatal("cannot open the copy");
            f(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
};

}  // namespace velunar::ui::testing

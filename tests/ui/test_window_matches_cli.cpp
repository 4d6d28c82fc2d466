// The main window and `velunar-cli now --json` show the same thing: over a thousand moments, each time mode and
// both time pages, every text the pages show equals the command line's field for it. The two share one
// pipeline; this is what keeps a renderer or a report from drifting away from it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <sstream>

#include "cli/commands.h"
#include "methods/doctrine.h"
#include "test_mainwindow_fixture.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

// A thousand moments per mode and page; the sanitizer build, ten times slower, checks a tenth of them.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kMoments = 100;
#else
constexpr int kMoments = 1000;
#endif

QString Upper(std::string_view name) {
    QString s = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    s[0] = s[0].toUpper();
    return s;
}

// The display form of an ISO date-time the command line prints, as the time boxes and labels write it.
QString DisplayForm(const QJsonValue& iso, const char* tail) {
    if (iso.isNull() || iso.isUndefined()) return QString();
    const auto t = ParseIso(iso.toString().toStdString());
    return t ? QString::fromStdString(FormatDisplay(*t)) + QLatin1String(tail) : QStringLiteral("?");
}

QJsonObject Cli(const QString& db, const QStringList& args) {
    std::ostringstream out, err;
    cli::CommandIo io{out, err};
    cli::CommandArgs argv = {"now", "--json", "--db", db.toStdString()};
    for (const QString& a : args) argv.push_back(a.toStdString());
    cli::RunCli(argv, io);
    return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
}

}  // namespace

class TestWindowMatchesCli : public QObject {
    Q_OBJECT
  private slots:
    void everyTextAgrees();
    void invalidLongitudeAtStartAgrees();

  private:
    void compare(const Harness& h, const QJsonObject& cli, bool china, const QString& where);
};

void TestWindowMatchesCli::compare(const Harness& h, const QJsonObject& cli, bool china, const QString& where) {
    auto check = [&](const QString& shown, const QString& expected, const QString& what) {
        if (shown != expected)
            QFAIL(qPrintable(QStringLiteral("%1 %2: window \"%3\", cli \"%4\"").arg(where, what, shown, expected)));
    };
    check(h.text(china ? "chinaTimeBox" : "abroadTimeBox"), DisplayForm(cli["referenceTime"], ""), "time box");
    if (!cli["trueSolarTime"].isNull())
        check(h.get<QLabel>(china ? "chinaTrueSolarLabel" : "abroadTrueSolarLabel")->text(),
              DisplayForm(cli["trueSolarTime"], "     "), "true solar time");
    if (!china && !cli["beijingTime"].isNull())
        check(h.get<QLabel>("abroadBeijingLabel")->text(), DisplayForm(cli["beijingTime"], "     "), "Beijing time");
    check(h.text("dayGanZhiBox"), cli["dayGanZhi"].toString(), "day");
    check(h.text("hourBranchBox"), cli["hourBranch"].toString(), "double-hour");
    check(h.text("hourGanZhiBox"), cli["hourGanZhi"].toString(), "hour");
    const bool closed = cli["nagan"].toObject()["closed"].toBool();
    auto* pages = h.get<QTabWidget>("methodPages");
    if (pages->isTabVisible(pages->indexOf(h.get("supplementaryPage"))) != closed) QFAIL(qPrintable(where + " closed"));
    if (cli["buxue"].isNull() == closed) QFAIL(qPrintable(where + " buxue"));
    for (const Doctrine* d : Doctrines()) {
        const QJsonObject group = cli[QString::fromUtf8(d->Key().data())].toObject();
        const QString name = QString::fromUtf8(d->Name().data());
        if (group.isEmpty()) continue;  // 补穴 in an open hour: its page is not reachable
        for (const Cell& c : d->At(Moment{}, ReferenceTables{}).cells) {
            const QString column = QString::fromUtf8(c.column.data(), static_cast<qsizetype>(c.column.size()));
            const QString expected = group[column].toString();
            if (c.name == "meridian" && group.contains(QStringLiteral("points"))) {
                check(h.get<QLabel>(qPrintable(name + QStringLiteral("MeridianLabel")))->text(), expected, name);
                continue;
            }
            auto* box = h.get<QLineEdit>(qPrintable(name + Upper(c.name) + QStringLiteral("Box")));
            check(box->text(), expected, name + QLatin1Char('.') + column);
            // The optional boxes show exactly when they hold something.
            if (!c.visible || column == QStringLiteral("过原") || column == QStringLiteral("兼过原穴") ||
                column == QStringLiteral("原"))
                check(box->isHidden() ? "hidden" : "shown", expected.isEmpty() ? "hidden" : "shown", name + column);
        }
        if (group.contains(QStringLiteral("points"))) {
            QStringList expected, shown;
            for (const QJsonValue& p : group["points"].toArray()) expected << p.toString();
            auto* list = h.get<QTableWidget>(qPrintable(name + QStringLiteral("PointList")));
            for (int i = 0; i < list->rowCount(); ++i) shown << list->item(i, 0)->text();
            check(shown.join(u','), expected.join(u','), name + " points");
        }
    }
}

void TestWindowMatchesCli::everyTextAgrees() {
    Harness h({QStringLiteral("update xxyy set hint1='True', xy='101.25', suma='60', ew='西经', jingew='73.5', "
                              "zone='(GMT-05:00) 东部时间(美国和加拿大)'")});
    h.show();
    QRandomGenerator random(20261209);
    QList<DateTime> moments;
    // The edges first: the 子 hours' ends, a closed hour of a 甲 day, 23:00 on both sides.
    for (const auto& [y, mo, d, hh, mi, s] : std::vector<std::array<int, 6>>{
             {1949, 10, 1, 23, 0, 0}, {1949, 10, 1, 0, 59, 59}, {1949, 10, 1, 22, 59, 59}, {2026, 12, 9, 10, 30, 0},
             {2000, 2, 29, 23, 30, 0}, {1900, 1, 1, 0, 0, 0}, {2099, 12, 31, 23, 59, 59}})
        moments << MakeDateTime(y, mo, d, hh, mi, s);
    while (moments.size() < kMoments)
        moments << MakeDateTime(1900 + random.bounded(200), 1 + random.bounded(12), 1 + random.bounded(28),
                                random.bounded(24), random.bounded(60), random.bounded(60));
    int compared = 0;
    for (int page = 0; page < 2; ++page) {
        h.get<QTabWidget>("timePages")->setCurrentIndex(page);
        for (int mode = 0; mode < kTimeModeCount; ++mode) {
            h.get<QAbstractButton>(qPrintable(QStringLiteral("timeModeButton%1").arg(mode)))->click();
            for (DateTime t : moments) {
                h.window->setChosenTime(t);
                h.tick();
                const QJsonObject cli = Cli(h.dbPath(), {QStringLiteral("--at"), QString::fromStdString(FormatIso(t)),
                                                         QStringLiteral("--mode"), QString::number(mode),
                                                         page ? QStringLiteral("--abroad") : QStringLiteral("--china")});
                compare(h, cli, page == 0, QString::fromStdString(FormatIso(t)) + QStringLiteral(" mode %1").arg(mode));
                ++compared;
            }
        }
    }
    QCOMPARE(compared, 6 * kMoments);
}

// A longitude that cannot be read, from the start: neither the window nor the command line has worked
// anything out, and neither shows a placeholder.
void TestWindowMatchesCli::invalidLongitudeAtStartAgrees() {
    Harness h({QStringLiteral("update xxyy set xy='abc', onlyBeiJingTime='False', ischina='yeschina'")});
    h.show();
    h.messages.clear();
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30));
    h.tick();
    const QJsonObject cli = Cli(h.dbPath(), {QStringLiteral("--at"), QStringLiteral("2026-12-09 10:30:00")});
    QCOMPARE(cli["hourBranch"].toString(), QString());
    compare(h, cli, true, QStringLiteral("invalid longitude"));
    QCOMPARE(h.text("lingGuiPointBox"), QString());
}

QTEST_MAIN(TestWindowMatchesCli)
#include "test_window_matches_cli.moc"

// The dial page against `velunar-cli now`: at open and closed hours, under each time mode and on both time
// pages, every double-hour of the ring says what `now` says at that double-hour's first clock second, and the
// centre says what `now` says at the moment itself. Then what the user does with it: click, keys, tooltips,
// and the rule that the rings are drawn again only when the double-hour or the day changes.
#include <QHelpEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolTip>
#include <sstream>

#include "cli/commands.h"
#include "dial/dial_painter.h"
#include "test_mainwindow_fixture.h"
#include "ui/dialwidget.h"
#include "ui/windowplacement.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

cli::CommandArgs Args(const QString& db, const QStringList& args) {
    cli::CommandArgs argv = {"--db", db.toStdString()};
    for (const QString& a : args) argv.push_back(a.toStdString());
    return argv;
}

QJsonObject Now(const QString& db, const QStringList& args) {
    std::ostringstream out, err;
    cli::CommandIo io{out, err};
    cli::CommandArgs argv = {"now", "--json"};
    for (auto& a : Args(db, args)) argv.push_back(a);
    cli::RunCli(argv, io);
    return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
}

// A 1366×768 screen less a title bar: offscreen windows have no frame of their own.
constexpr int kScreenWidth = 1366, kScreenHeight = 768 - 30;

QString S(const std::string& s) {
    return QString::fromStdString(s);
}

// The dial's values for one double-hour against now's report of it; "" when they agree.
QString Differences(const DialPoints& p, const QJsonObject& now) {
    QStringList bad;
    auto check = [&](const QString& what, const QString& dial, const QString& cli) {
        if (dial != cli) bad << QStringLiteral("%1: dial \"%2\", now \"%3\"").arg(what, dial, cli);
    };
    const QJsonObject nagan = now["nagan"].toObject();
    check("hour", S(p.hourGanZhi), now["hourGanZhi"].toString());
    check("closed", p.closed ? "闭" : "open", nagan["closed"].toBool() ? "闭" : "open");
    check("nagan", S(p.naGan), nagan["closed"].toBool() ? QString() : nagan["穴位"].toString());
    check("buxue", S(p.supplementary), now["buxue"].toObject()["穴位"].toString());
    check("nazhi", S(p.naZhi), now["nazhi"].toObject()["本穴"].toString());
    check("linggui", S(p.lingGui + "+" + p.lingGuiPartner),
          now["linggui"].toObject()["point"].toString() + "+" +
              now["linggui"].toObject()["partner"].toString());
    check("feiteng", S(p.feiTeng + "+" + p.feiTengPartner),
          now["feiteng"].toObject()["point"].toString() + "+" +
              now["feiteng"].toObject()["partner"].toString());
    return bad.join(QStringLiteral("; "));
}

// Whether two convex outlines share more than an edge (separating axes).
bool Overlap(const QPolygonF& a, const QPolygonF& b) {
    for (const QPolygonF* p : {&a, &b}) {
        for (int i = 0; i < p->size(); ++i) {
            const QPointF edge = p->at((i + 1) % p->size()) - p->at(i);
            const QPointF axis(-edge.y(), edge.x());
            auto project = [&axis](const QPolygonF& q) {
                double lo = 1e300, hi = -1e300;
                for (const QPointF& v : q) {
                    const double d = QPointF::dotProduct(v, axis);
                    lo = std::min(lo, d), hi = std::max(hi, d);
                }
                return std::pair(lo, hi);
            };
            const auto [alo, ahi] = project(a);
            const auto [blo, bhi] = project(b);
            const double slack = 0.01 * std::hypot(axis.x(), axis.y());
            if (ahi <= blo + slack || bhi <= alo + slack) return false;
        }
    }
    return true;
}

// Where a label pokes out of its cell, "" when it does not: its corners and the middles of its edges.
QString OutOfCell(const dial::DialLabel& l, const DialModel& m, const QRectF& sq) {
    const double R = sq.width() / 2.0;
    const QPolygonF o = l.outline();
    for (int i = 0; i < 4; ++i) {
        for (const QPointF& v : {o[i], (o[i] + o[(i + 1) % 4]) / 2.0}) {
            const QPointF d = v - sq.center();
            const double r = std::hypot(d.x(), d.y()) / R;
            if (l.sector < 0) {
                if (r > dial::kCentreRadius) return QStringLiteral("outside the centre at r=%1").arg(r);
                continue;
            }
            if (r < l.cell.inner - 1e-9 || r > l.cell.outer + 1e-9)
                return QStringLiteral("r=%1 outside %2–%3").arg(r).arg(l.cell.inner).arg(l.cell.outer);
            const double angle = std::atan2(d.x(), -d.y()) * 180.0 / M_PI;
            const double into = std::fmod(angle - m.sectors[l.sector].startAngle + 720.0, 360.0);
            if (into > 30.0) return QStringLiteral("%1° into a 30° sector").arg(into);
        }
    }
    return {};
}

}  // namespace

class TestDial : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QDir::tempPath().toUtf8()); }
    void ringsAndCentreAgreeWithNow();
    void clickKeysAndTooltip();
    void ringsRedrawnOnlyWhenTheDoubleHourChanges();
    void labelsStayInTheirCellsAndApart();
    void pageKeepsTheWindowOnAScreen();
    void cliWritesTheAcceptanceTexts();
};

void TestDial::ringsAndCentreAgreeWithNow() {
    // The abroad page: west of Greenwich with summer time, so its spans are nowhere near Beijing time's.
    Harness h(
        {QStringLiteral("update xxyy set xy='101.25', suma='60', ew='西经', jingew='73.5', "
                        "zone='(GMT-05:00) 东部时间(美国和加拿大)'")});
    h.show();
    auto* dial = h.get<DialWidget>("dial");
    // A closed hour (the 巳 hour of a 丁 day), an open one, and the 子 hour on both sides of midnight.
    const DateTime moments[] = {MakeDateTime(2026, 12, 9, 10, 30), MakeDateTime(1949, 10, 1, 1, 30),
                                MakeDateTime(2000, 2, 29, 23, 40), MakeDateTime(2000, 3, 1, 0, 40)};
    int sectorsCompared = 0;
    for (int page = 0; page < 2; ++page) {
        h.get<QTabWidget>("timePages")->setCurrentIndex(page);
        const QString pageFlag = page ? QStringLiteral("--abroad") : QStringLiteral("--china");
        for (int mode = 0; mode < kTimeModeCount; ++mode) {
            h.get<QAbstractButton>(qPrintable(QStringLiteral("timeModeButton%1").arg(mode)))->click();
            for (const DateTime t : moments) {
                const QString where =
                    QStringLiteral("%1 mode %2 page %3").arg(S(FormatIso(t))).arg(mode).arg(page);
                h.window->setChosenTime(t);
                h.tick();
                const DialModel& m = dial->model();
                const QJsonObject now =
                    Now(h.dbPath(), {"--at", S(FormatIso(t)), "--mode", QString::number(mode), pageFlag});
                QCOMPARE(S(m.centre.hourGanZhi), now["hourGanZhi"].toString());
                QVERIFY2(Differences(m.centre, now).isEmpty(),
                         qPrintable(where + ": " + Differences(m.centre, now)));
                QCOMPARE(S(m.dayGanZhi), now["dayGanZhi"].toString());
                QVERIFY2(m.current >= 0, qPrintable(where));
                QCOMPARE(S(std::string(Name(m.sectors[m.current].branch))), now["hourBranch"].toString());
                // The hand stands inside the present double-hour.
                QVERIFY2(m.handAngle && m.SectorAt(*m.handAngle) == m.current, qPrintable(where));
                for (int i = 0; i < 12; ++i) {
                    const DialSector& s = m.sectors[i];
                    QVERIFY2(s.span, qPrintable(where));
                    const QJsonObject at = Now(h.dbPath(), {"--at", S(FormatIso(s.span->Start())), "--mode",
                                                            QString::number(mode), pageFlag});
                    const QString label = where + QStringLiteral(" sector ") + S(std::string(Name(s.branch)));
                    QCOMPARE(at["hourBranch"].toString(), S(std::string(Name(s.branch))));
                    QCOMPARE(S(s.meridian) + QStringLiteral("经"), at["nazhi"].toObject()["本经"].toString());
                    // The present sector shows what holds now: under 区分夜子时早子时 that is after midnight
                    // another day stem than at 23:00.
                    const QJsonObject& expected = i == m.current ? now : at;
                    QVERIFY2(Differences(s.points, expected).isEmpty(),
                             qPrintable(label + ": " + Differences(s.points, expected)));
                    ++sectorsCompared;
                }
                // The drawing of this model is made, at the device's own resolution.
                QVERIFY(!dial->grab().isNull());
            }
        }
    }
    QCOMPARE(sectorsCompared, 2 * 3 * 4 * 12);
}

void TestDial::clickKeysAndTooltip() {
    Harness h;
    h.show();
    auto* pages = h.get<QTabWidget>("methodPages");
    auto* dial = h.get<DialWidget>("dial");
    pages->setCurrentWidget(dial);
    h.chooseMoment(MakeDateTime(2026, 12, 9, 10, 30), 0, false);
    h.tick();
    const int present = dial->model().current;
    QCOMPARE(S(std::string(Name(dial->model().sectors[present].branch))), QStringLiteral("巳"));
    // A click on 申 chooses its first clock second, and the pages follow at once.
    const int shen = Number(Branch::Shen) - 1;
    const DateTime start = dial->model().sectors[shen].span->Start();
    QTest::mouseClick(dial, Qt::LeftButton, {}, dial->sectorCentre(shen));
    QVERIFY(!h.get<QCheckBox>("automaticBox")->isChecked());
    QCOMPARE(h.window->referenceTime(), start);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("申"));
    QCOMPARE(dial->model().current, shen);
    // A click in the centre chooses nothing.
    QTest::mouseClick(dial, Qt::LeftButton, {}, dial->rect().center());
    QCOMPARE(h.window->referenceTime(), start);
    // Right steps to 酉, Left back; past 亥 the next day's 子.
    dial->setFocus();
    QTest::keyClick(dial, Qt::Key_Right);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("酉"));
    QTest::keyClick(dial, Qt::Key_Left);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("申"));
    const QString day = h.text("dayGanZhiBox");
    for (int i = 0; i < 4; ++i) QTest::keyClick(dial, Qt::Key_Right);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("子"));
    QVERIFY(h.text("dayGanZhiBox") != day);
    QTest::keyClick(dial, Qt::Key_Left);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("亥"));
    QCOMPARE(h.text("dayGanZhiBox"), day);
    // The tooltip of 巳 on 2026-12-09 names its closed hour's 补穴 and its 纳支 point.
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30));
    h.tick();
    const QString tip = dial::SectorTooltip(dial->model(), present);
    QVERIFY2(tip.contains(QStringLiteral("补穴 太冲")) && tip.contains(QStringLiteral("本穴 太白")),
             qPrintable(tip));
    QHelpEvent help(QEvent::ToolTip, dial->sectorCentre(present),
                    dial->mapToGlobal(dial->sectorCentre(present)));
    QApplication::sendEvent(dial, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip);
}

void TestDial::ringsRedrawnOnlyWhenTheDoubleHourChanges() {
    Harness h;
    h.show();
    auto* dial = h.get<DialWidget>("dial");
    h.get<QTabWidget>("methodPages")->setCurrentWidget(dial);
    h.chooseMoment(MakeDateTime(2026, 12, 9, 10, 30), 0, true);
    h.tick();
    dial->repaint();
    const int draws = dial->ringDraws(), requests = dial->repaintRequests();
    // Seconds within one minute: nothing to paint.
    for (int s = 1; s < 50; ++s) {
        h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30, s));
        h.tick();
    }
    QCOMPARE(dial->repaintRequests(), requests);
    // Minutes within the double-hour: the hand moves, the rings stay.
    for (int minute = 31; minute < 40; ++minute) {
        h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, minute));
        h.tick();
        dial->repaint();
    }
    QCOMPARE(dial->repaintRequests(), requests + 9);
    QCOMPARE(dial->ringDraws(), draws);
    // The next double-hour, then the next day: the rings again.
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 11, 30));
    h.tick();
    dial->repaint();
    QCOMPARE(dial->ringDraws(), draws + 1);
    h.window->setChosenTime(MakeDateTime(2026, 12, 10, 11, 30));
    h.tick();
    dial->repaint();
    QCOMPARE(dial->ringDraws(), draws + 2);
    QCOMPARE(S(std::string(Name(dial->model().sectors[dial->model().current].branch))), QStringLiteral("午"));
}

// The dial's texts measured: at every radius from 100 px up (the least the window gives it at twice the
// scale), wherever the ring is turned, each text lies in its cell (its sector's ring or rim, or the centre's
// disc), no two overlap, and every double-hour shows its clock span, from a radius of 150 px in a font of at
// least 8 px.
void TestDial::labelsStayInTheirCellsAndApart() {
    Harness h;
    h.show();
    auto* dial = h.get<DialWidget>("dial");
    std::vector<DialModel> models;
    // A closed hour with a three-character 补穴 in the centre, an open day, and 子 across midnight.
    for (const DateTime t : {MakeDateTime(2026, 12, 9, 10, 30), MakeDateTime(1949, 10, 1, 1, 30),
                             MakeDateTime(2000, 2, 29, 23, 40), MakeDateTime(2026, 2, 10, 4, 30)}) {
        h.chooseMoment(t, 0, false);
        h.tick();
        models.push_back(dial->model());
    }
    int checked = 0;
    for (const DialModel& model : models) {
        for (const double turn : {0.0, 7.5, 15.0, 22.5}) {
            DialModel m = model;
            for (DialSector& s : m.sectors) s.startAngle = std::fmod(s.startAngle + turn, 360.0);
            for (double R = 100; R <= 600; R += R < 200 ? 3 : 23) {
                const QRectF sq(0, 0, 2 * R, 2 * R);
                const std::vector<dial::DialLabel> labels = dial::DialLabels(sq, m);
                int spans = 0;
                for (const dial::DialLabel& l : labels) {
                    const QString where = QStringLiteral("R=%1 turn %2 \"%3\"").arg(R).arg(turn).arg(l.text);
                    const QString out = OutOfCell(l, m, sq);
                    QVERIFY2(out.isEmpty(), qPrintable(where + ": " + out));
                    if (l.cell.inner == dial::kRim.inner && l.text.contains(QStringLiteral("–"))) {
                        ++spans;
                        if (R >= 150) QVERIFY2(l.font.pixelSize() >= 8, qPrintable(where));
                    }
                }
                QCOMPARE(spans, 12);
                for (std::size_t i = 0; i < labels.size(); ++i)
                    for (std::size_t j = i + 1; j < labels.size(); ++j)
                        QVERIFY2(!Overlap(labels[i].outline(), labels[j].outline()),
                                 qPrintable(QStringLiteral("R=%1 turn %2: \"%3\" over \"%4\"")
                                                .arg(R)
                                                .arg(turn)
                                                .arg(labels[i].text, labels[j].text)));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 300);
}

void TestDial::pageKeepsTheWindowOnAScreen() {
    SetAvailableAreaForTesting(QRect(0, 0, kScreenWidth, kScreenHeight));
    const auto restore = qScopeGuard([] { SetAvailableAreaForTesting(std::nullopt); });
    Harness h;
    h.show();
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30));
    h.tick();
    QTest::qWait(50);  // the pickers that replace the time box are laid out
    auto* pages = h.get<QTabWidget>("methodPages");
    const QSize before = h.window->size();
    pages->setCurrentWidget(h.get("dial"));
    QTRY_VERIFY(h.get("dial")->height() >= 400);
    QVERIFY2(h.window->frameGeometry().width() <= kScreenWidth &&
                 h.window->frameGeometry().height() <= kScreenHeight,
             qPrintable(QStringLiteral("%1×%2").arg(h.window->width()).arg(h.window->height())));
    // VELUNAR_SCREENSHOT=file.png keeps a picture of the window with the dial in front (docs/).
    if (const QString shot = qEnvironmentVariable("VELUNAR_SCREENSHOT"); !shot.isEmpty())
        QVERIFY(h.window->grab().save(shot));
    // With the description opened out too.
    h.get<QPushButton>("descriptionToggle")->click();
    QTRY_VERIFY(h.get("descriptionMemo")->isVisible());
    QTest::qWait(50);
    QVERIFY2(h.window->frameGeometry().height() <= kScreenHeight &&
                 h.window->frameGeometry().width() <= kScreenWidth,
             qPrintable(QStringLiteral("%1×%2").arg(h.window->width()).arg(h.window->height())));
    // Beside the dial, which keeps the size it reads well at.
    QVERIFY(h.get("dial")->height() >= 400);
    QVERIFY(h.get("descriptionArea")->geometry().left() >= h.get("methodPages")->geometry().right());
    if (const QString shot = qEnvironmentVariable("VELUNAR_SCREENSHOT"); !shot.isEmpty())
        QVERIFY(h.window->grab().save(
            QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-compact.png"))));
    h.get<QPushButton>("descriptionToggle")->click();
    // Behind the other pages the dial takes no room: the window is as it was without it.
    pages->setCurrentIndex(2);
    QTRY_COMPARE(h.window->size(), before);
}

void TestDial::cliWritesTheAcceptanceTexts() {
    Harness h;
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("d.svg")), png = dir.filePath(QStringLiteral("d.png"));
    for (const QString& file : {svg, png}) {
        std::ostringstream out, err;
        cli::CommandIo io{out, err};
        cli::CommandArgs argv = {"dial"};
        for (auto& a : Args(h.dbPath(), {"--at", "2026-12-09 10:30:00", "--out", file, "--size", "400"}))
            argv.push_back(a);
        QCOMPARE(cli::RunCli(argv, io), 0);
        QVERIFY2(err.str().empty(), err.str().c_str());
    }
    QFile f(svg);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // The texts of the text elements, not names hidden in paths or comments.
    QStringList texts;
    const QRegularExpression element(QStringLiteral(">([^<]*)</text>"));
    for (const auto& match : element.globalMatch(QString::fromUtf8(f.readAll())))
        texts << match.captured(1).trimmed();
    for (const char* branch : {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"})
        QVERIFY2(texts.contains(QString::fromUtf8(branch)), branch);
    const QString all = texts.join(QLatin1Char('|'));
    for (const char* point : {"太冲", "太白", "外关", "临泣"})
        QVERIFY2(all.contains(QString::fromUtf8(point)), point);
    QImage image(png);
    QCOMPARE(image.size(), QSize(400, 400));
    // A tz-database zone gives the dial the summer time of that moment: the same picture as the fixed zone
    // with its 60 minutes typed in.
    auto drawn = [&](const QStringList& place, const QString& file) {
        std::ostringstream out, err;
        cli::CommandIo io{out, err};
        cli::CommandArgs argv = {"dial"};
        const QStringList flags =
            QStringList{"--at", "2026-07-01 12:00:00", "--ew", "东经", "--lon", "2.33", "--out", file} +
            place;
        for (auto& a : Args(h.dbPath(), flags)) argv.push_back(a);
        const int status = cli::RunCli(argv, io);
        QFile f(file);
        return std::make_pair(status, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    };
    const auto tz = drawn({"--tz", "Europe/Paris"}, dir.filePath(QStringLiteral("tz.svg")));
    const auto fixed =
        drawn({"--abroad", "--zone", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "--summer", "60"},
              dir.filePath(QStringLiteral("fixed.svg")));
    const auto winter =
        drawn({"--abroad", "--zone", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "--summer", "0"},
              dir.filePath(QStringLiteral("winter.svg")));
    QCOMPARE(tz.first, 0);
    QCOMPARE(fixed.first, 0);
    QVERIFY(!tz.second.isEmpty());
    QCOMPARE(tz.second, fixed.second);
    QVERIFY(tz.second != winter.second);
    // Refused before anything is written: no file name, an unknown kind, a size out of range.
    for (const cli::CommandArgs& bad :
         {cli::CommandArgs{"dial"}, cli::CommandArgs{"dial", "--out", "d.gif"},
          cli::CommandArgs{"dial", "--out", "d.svg", "--size", "10"},
          cli::CommandArgs{"dial", "--out", "d.svg", "--tz", "Europe/Paris", "--summer", "0"}}) {
        std::ostringstream out, err;
        cli::CommandIo io{out, err};
        QCOMPARE(cli::RunCli(bad, io), cli::kExitUsage);
        QVERIFY(err.str().rfind("velunar-cli dial: ", 0) == 0);
    }
}

QTEST_MAIN(TestDial)
#include "test_dial.moc"

// The place list reader, the longitude rules of the longitude box and its arrows, and the place picker
// window.
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "files/longitude.h"
#include "files/placetree.h"
#include "store/codec.h"
#include "store/database.h"
#include "store/datapaths.h"
#include "store/settings.h"
#include "test_mainwindow_fixture.h"
#include "ui/placepicker.h"

using namespace velunar;
using namespace velunar::ui;

namespace {

QByteArray Gbk(const QString& text) {
    return velunar::store::EncodeGbk(text);
}

// The rule the place list was laid out for: the last seven GBK bytes are the longitude with its padding.
PlacePick FixedFieldPick(const QString& text) {
    PlacePick pick;
    const QString trimmed = TrimBlanks(text);
    if (trimmed.isEmpty()) return pick;
    if (text.endsWith(QLatin1Char(':'))) {
        pick.kind = PlacePick::Kind::Group;
        return pick;
    }
    const QByteArray bytes = Gbk(text);
    pick.kind = PlacePick::Kind::Place;
    pick.xy = TrimBlanks(velunar::store::DecodeGbk(bytes.right(7)));
    pick.where = TrimBlanks(velunar::store::DecodeGbk(bytes.left(bytes.size() - 7)));
    return pick;
}

const PlaceNode* FindPlace(const std::vector<PlaceNode>& nodes, const QString& start) {
    for (const PlaceNode& node : nodes) {
        if (node.text.startsWith(start)) return &node;
    }
    return nullptr;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

namespace column = velunar::store::settings_column;

}  // namespace

class PlacePickerTest : public QObject {
    Q_OBJECT

  private slots:
    // --- Reading the place list ---

    void builtinListHasItsShape() {
        const std::vector<PlaceNode>& nodes = BuiltinPlaces();
        QCOMPARE(nodes.size(), std::size_t(221));
        int top = 0, groups = 0, children = 0;
        for (const PlaceNode& node : nodes) {
            QVERIFY(node.depth <= 1);
            if (node.depth == 1) ++children;
            if (node.depth == 0) ++top;
            if (node.depth == 0 && TrimBlanks(node.text).endsWith(QLatin1Char(':'))) ++groups;
        }
        QCOMPARE(top, 33);
        QCOMPARE(groups, 28);
        QCOMPARE(children, 188);
        QCOMPARE(nodes.front().text, QStringLiteral("北 京 直 辖 市 \t116.28 "));
        QCOMPARE(nodes[5 + 1 + 10].text, QStringLiteral("吉林省: "));  // after 黑龙江省: and its ten places
    }

    void shippedFileReadsAsTheBuiltinList() {
        QFile file(QStringLiteral(VELUNAR_SOURCE_DIR "/data/dist/tree.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const PlaceTreeLoad load = ParsePlaceTree(file.readAll());
        QVERIFY2(load.ok(), qPrintable(load.error));
        QVERIFY(!load.invalidBytes);
        QVERIFY(load.nodes == BuiltinPlaces());
    }

    void lineEndsIndentationAndEmptyLines() {
        const PlaceTreeLoad load =
            ParsePlaceTree(Gbk(QStringLiteral("甲:\r\n\t乙 \t1\n \t丙 2\r\r\t丁\t3 ")));
        QVERIFY(load.ok());
        const std::vector<PlaceNode> expected = {{QStringLiteral("甲:"), 0},
                                                 {QStringLiteral("乙 \t1"), 1},
                                                 {QStringLiteral("丙 2"), 2},
                                                 {QString(), 0},
                                                 {QStringLiteral("丁\t3 "), 1}};
        QVERIFY(load.nodes == expected);
        QVERIFY(ParsePlaceTree(QByteArray()).nodes.empty());
        QCOMPARE(ParsePlaceTree(QByteArray("a\r\n")).nodes.size(), std::size_t(1));
    }

    void invalidLevelStopsAndKeepsTheNodesBefore() {
        const PlaceTreeLoad load = ParsePlaceTree(Gbk(
            QStringLiteral("黑龙江省:\r\n\t哈尔滨 \t126.41 \r\n\t\t\t牡丹江 \t129.61 \r\n沈阳 123.24\r\n")));
        QCOMPARE(load.error, QStringLiteral("Invalid level (3) for item \"牡丹江 \t129.61 \""));
        QCOMPARE(load.nodes.size(), std::size_t(2));
        QCOMPARE(load.nodes[1].text, QStringLiteral("哈尔滨 \t126.41 "));
        // The first line has nothing to hang from.
        const PlaceTreeLoad first = ParsePlaceTree(QByteArray("\tx 1\r\n"));
        QCOMPARE(first.error, QStringLiteral("Invalid level (1) for item \"x 1\""));
        QVERIFY(first.nodes.empty());
    }

    void damagedBytesLoadVisibly() {
        QByteArray bytes("\xB1\xB1\xBE\xA9 116\r\n\xFF\xFE bad\r\na\0b 1\r\n\t\x81", 27);
        const PlaceTreeLoad load = ParsePlaceTree(bytes);
        QVERIFY(load.ok());
        QVERIFY(load.invalidBytes);
        QCOMPARE(load.nodes.size(), std::size_t(4));
        QCOMPARE(load.nodes[0].text, QStringLiteral("北京 116"));
        QVERIFY(load.nodes[1].text.contains(QChar(0xFFFD)));
        QCOMPARE(load.nodes[2].text, QString::fromUtf8("a\0b 1", 5));
        // A file saved as UTF-8 with its signature reads as UTF-8.
        const PlaceTreeLoad utf8 =
            ParsePlaceTree(QByteArray("\xEF\xBB\xBF") + QStringLiteral("北京 116").toUtf8());
        QCOMPARE(utf8.nodes.at(0).text, QStringLiteral("北京 116"));
    }

    void hugeInputsStayLinearAndBounded() {
        QElapsedTimer timer;
        timer.start();
        QByteArray many;
        for (int i = 0; i < 100000; ++i)
            many += i % 10 == 0 ? QByteArray("group:\r\n") : QByteArray("\tplace \t116.28 \r\n");
        QCOMPARE(ParsePlaceTree(many).nodes.size(), std::size_t(100000));

        const QByteArray longLine = QByteArray("x ") + QByteArray(1 << 20, '7');
        const PlaceTreeLoad one = ParsePlaceTree(longLine);
        QVERIFY(one.ok());
        QCOMPARE(one.nodes.at(0).text.size(), qsizetype(longLine.size()));

        const PlaceTreeLoad deep = ParsePlaceTree("a\r\n" + QByteArray(1 << 20, '\t') + "b");
        QCOMPARE(deep.nodes.size(), std::size_t(1));
        QVERIFY(deep.error.startsWith(QStringLiteral("Invalid level (1048576) for item \"b\"")));

        QByteArray chain;
        for (int d = 0; d <= kMaxPlaceDepth + 1; ++d) chain += QByteArray(d, '\t') + "n\n";
        const PlaceTreeLoad tooDeep = ParsePlaceTree(chain);
        QCOMPARE(tooDeep.nodes.size(), std::size_t(kMaxPlaceDepth + 1));
        QVERIFY(!tooDeep.ok());

        const PlaceTreeLoad capped = ParsePlaceTree(QByteArray(int(kMaxPlaceNodes) + 5, '\n'));
        QCOMPARE(capped.nodes.size(), kMaxPlaceNodes);
        QVERIFY(!capped.ok());

        // A message quoting a runaway line stays readable.
        const PlaceTreeLoad badLong = ParsePlaceTree("a\n\t\t" + QByteArray(1 << 20, 'y'));
        QVERIFY(badLong.error.size() < 300);
        QVERIFY(timer.elapsed() < 20000);
    }

    // --- The longitude box and its arrows ---

    void longitudeMessageRule() {
        const QString message = QStringLiteral("请先输入正确东经数[0-180]");
        QCOMPARE(LongitudeMessage(), message);
        for (const char* bad : {"", "abc", "-1", "180.5", "116,28", "1 16"})
            QCOMPARE(LongitudeMessageFor(QString::fromLatin1(bad)), std::optional<QString>(message));
        for (const char* good : {"0", "180", "116.28", " 97.46"})
            QCOMPARE(LongitudeMessageFor(QString::fromLatin1(good)), std::optional<QString>());
    }

    void arrowsStepOneDegreeKeepingDecimalsAndClamp() {
        // text, up, result ("" for no step: the arrow does nothing)
        const struct {
            const char* text;
            bool up;
            const char* result;
        } cases[] = {
            {"116.28", true, "117.28"},
            {"116.28", false, "115.28"},
            {"120", true, "121"},
            {"97.460", true, "98.460"},
            {"0.5", true, "1.5"},
            {"-0.5", true, "0.5"},
            // Clamped before it is written, so no out-of-range text ever reaches the box.
            {"180", true, "180"},
            {"0", false, "0"},
            {"179.5", true, "180.0"},
            {"0.25", false, "0.00"},
            {"-1", true, "0"},
            {"180.5", false, "179.5"},
            {"", true, ""},
            {"abc", true, ""},
            {"116,28", false, ""},
            {"1 16", true, ""},
            {"nan", true, ""},
        };
        for (const auto& c : cases) {
            const auto stepped = StepLongitude(QString::fromLatin1(c.text), c.up);
            QCOMPARE(stepped.value_or(QString()), QString::fromLatin1(c.result));
            if (stepped) QVERIFY(!LongitudeMessageFor(*stepped));
        }
    }

    // --- What a picked node puts into xy and where ---

    void tellingRowsGiveTheirLongitude() {
        const std::vector<PlaceNode>& nodes = BuiltinPlaces();
        const struct {
            const char* start;
            const char* xy;
            const char* where;
        } cases[] = {
            {"哈尔滨", "126.41", "哈尔滨"},
            {"齐齐哈尔", "123.54", "齐齐哈尔"},
            {"赤峰", "119", "赤峰"},
            {"商县", "109.55", "商县"},
            {"玉门", "97.46", "玉门"},
            {"长沙", "113", "长沙"},
            {"北 京", "116.28", "北 京 直 辖 市"},
        };
        for (const auto& c : cases) {
            const PlaceNode* node = FindPlace(nodes, QString::fromUtf8(c.start));
            QVERIFY2(node, c.start);
            const PlacePick pick = PickPlace(node->text);
            QCOMPARE(pick.kind, PlacePick::Kind::Place);
            QCOMPARE(pick.xy, QString::fromUtf8(c.xy));
            QCOMPARE(pick.where, QString::fromUtf8(c.where));
            QVERIFY(!LongitudeMessageFor(pick.xy));
        }
        QCOMPARE(PickPlace(QStringLiteral("黑龙江省:")).kind, PlacePick::Kind::Group);
        QCOMPARE(PickPlace(QStringLiteral("吉林省: ")).kind, PlacePick::Kind::Group);
        QCOMPARE(PickPlace(QStringLiteral(" \t ")).kind, PlacePick::Kind::Nothing);
        QCOMPARE(PickPlace(QStringLiteral("某地 \t")).kind, PlacePick::Kind::NoLongitude);
    }

    void linesFillingTheFieldPickAsBefore() {
        // Only the lines the fixed field misreads may differ: a short number (赤峰, 长沙), padding beyond
        // the field (商县) and groups written with a blank after the colon.
        QStringList differing;
        for (const PlaceNode& node : BuiltinPlaces()) {
            const PlacePick now = PickPlace(node.text);
            const PlacePick before = FixedFieldPick(node.text);
            if (now.kind != before.kind || now.xy != before.xy || now.where != before.where)
                differing << TrimBlanks(node.text).section(QLatin1Char(' '), 0, 0);
        }
        differing.sort();
        QStringList expected = {QStringLiteral("吉林省:"), QStringLiteral("安徽省:"),
                                QStringLiteral("湖南省:"), QStringLiteral("赤峰"),
                                QStringLiteral("商县"),    QStringLiteral("长沙")};
        expected.sort();
        QCOMPARE(differing, expected);
    }

    // --- The picker window ---

    void showLoadsTheFileReplacingTheList() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("tree.ini")),
                          Gbk(QStringLiteral("华北:\r\n\t北京 \t116.28 \r\n"))));
        PlacePicker picker{velunar::store::DataPaths(dir.path())};
        QStringList messages;
        picker.setMessageHook([&](const QString& m) { messages << m; });
        QCOMPARE(picker.nodes().size(), std::size_t(221));
        picker.show();
        QCOMPARE(picker.nodes().size(), std::size_t(2));
        QVERIFY(messages.isEmpty());
        picker.close();

        // A missing file is reported and the list held before stays.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("tree.ini"))));
        picker.show();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("tree.ini")));
        QCOMPARE(picker.nodes().size(), std::size_t(2));
        picker.close();

        // An invalid level keeps the nodes before it and says why.
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("tree.ini")), QByteArray("a\r\nb\r\n\t\tc\r\n")));
        picker.show();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[1], QStringLiteral("Invalid level (2) for item \"c\""));
        QCOMPARE(picker.nodes().size(), std::size_t(2));
    }

    void imagesFollowExpansion() {
        PlacePicker picker{velunar::store::DataPaths(QStringLiteral("/nonexistent"))};
        auto* tree = picker.findChild<QTreeView*>(QStringLiteral("treeView"));
        const QModelIndex group = picker.placeModel()->index(5, 0);  // 黑龙江省:
        QCOMPARE(group.data(PlacePicker::kImageRole).toInt(), 0);
        tree->expand(group);
        QCOMPARE(group.data(PlacePicker::kImageRole).toInt(), 1);
        tree->collapse(group);
        QCOMPARE(group.data(PlacePicker::kImageRole).toInt(), 0);
        QCOMPARE(group.data(Qt::DecorationRole).value<QIcon>().actualSize(QSize(16, 16)), QSize(16, 16));
    }

    void okHandsOverPlacesOnly() {
        PlacePicker picker{velunar::store::DataPaths(QStringLiteral("/nonexistent"))};
        QList<QStringList> picks;
        picker.setPickHandler([&](const QString& xy, const QString& where) {
            picks << QStringList{xy, where};
        });
        picker.setMessageHook([](const QString&) {});
        auto* tree = picker.findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* ok = picker.findChild<QPushButton*>(QStringLiteral("okButton"));
        auto* cancel = picker.findChild<QPushButton*>(QStringLiteral("cancelButton"));
        QStandardItemModel* model = picker.placeModel();

        picker.show();                          // no tree.ini there: the built-in list stays
        QTest::mouseClick(ok, Qt::LeftButton);  // nothing selected
        QVERIFY(picks.isEmpty());
        QVERIFY(!picker.isVisible());

        picker.show();
        tree->setCurrentIndex(model->index(5, 0));  // 黑龙江省:
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(picks.isEmpty());

        picker.show();
        tree->setCurrentIndex(model->index(6, 0));  // "吉林省: "
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(picks.isEmpty());

        picker.show();
        tree->setCurrentIndex(model->index(0, 0, model->index(5, 0)));  // 哈尔滨
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(picks.isEmpty());
        QVERIFY(!picker.isVisible());

        picker.show();
        tree->setCurrentIndex(model->index(0, 0, model->index(5, 0)));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(picks, QList<QStringList>({{QStringLiteral("126.41"), QStringLiteral("哈尔滨")}}));
        QVERIFY(!picker.isVisible());
    }

    void pickReachesTheSettingsRow() {
        velunar::ui::testing::Harness h;
        h.show();
        auto pick = [&h](const char* xy, const char* where) {
            h.window->pickPlace(QString::fromUtf8(xy), QString::fromUtf8(where));
        };
        auto stored = [&h](const char* c) {
            return h.value(QStringLiteral("select \"%1\" from xxyy").arg(c));
        };

        pick("126.41", "哈尔滨");
        QCOMPARE(stored("xy"), QStringLiteral("126.41"));
        QCOMPARE(stored("where"), QStringLiteral("哈尔滨"));
        QVERIFY(!h.window->settingsRecord().IsEditing());

        // Another place at the same longitude: the longitude box does not change, the new name is posted all
        // the same.
        pick("126.41", "别处");
        QCOMPARE(stored("where"), QStringLiteral("别处"));

        // A longitude out of range is refused as a typed one is: said beside the box, never stored.
        pick("181", "远方");
        QCOMPARE(stored("xy"), QStringLiteral("126.41"));
        QVERIFY(h.count(MessageKind::Error) == 0);
    }
};

QTEST_MAIN(PlacePickerTest)
#include "test_placepicker.moc"

#include "ui/mainwindow_abroad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "calendar/solar.h"
#include "calendar/zone_hint.h"
#include "store/tzdb.h"
#include "ui/mainwindow_widgets.h"
#include "ui/uitext.h"

namespace velunar::ui {
namespace {

namespace col = store::settings_column;

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* HintLine(const char* name) {
    auto* label = new WrappedLine;
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("color: #b00000"));
    label->hide();
    return label;
}

// A label of the list, or a text whose (GMT±hh:mm) the abroad page reads; anything else counts as Greenwich.
bool IsNamedZone(const std::string& zone) {
    for (std::string_view z : ZoneTexts())
        if (z == zone) return true;
    return zone.find("(GMT") != std::string::npos;
}

void ShowHint(QLabel* label, const std::string& hint) {
    const QString text = QString::fromStdString(hint);
    if (label->text() != text) label->setText(text);
    label->setVisible(!hint.empty());
}

}  // namespace

ZoneChoices::ZoneChoices(QObject* parent, SetPending setPending, Say say)
    : QObject(parent), setPending_(std::move(setPending)), say_(std::move(say)) {}

void ZoneChoices::AddToAbroadPage(QGridLayout* abroad, QLineEdit* summerBox, QComboBox* zoneBox) {
    summerBox_ = summerBox;
    zoneBox_ = zoneBox;
    automaticZone_ = new QCheckBox(TranslatedQ("ui", "按时区数据库："));
    automaticZone_->setObjectName(QStringLiteral("automaticZoneBox"));
    automaticZone_->setToolTip(TranslatedQ("ui", "时差与夏令时按所选时区在此时刻的规定自动得出"));
    tzBox_ = new QComboBox;
    tzBox_->setObjectName(QStringLiteral("tzBox"));
    tzBox_->setEditable(true);
    tzBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& id : store::ZoneChoices()) tzBox_->addItem(QString::fromStdString(id));
    tzBox_->completer()->setFilterMode(Qt::MatchContains);
    tzBox_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    tzBox_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    tzBox_->setEnabled(false);
    const int row = abroad->rowCount();
    abroad->addWidget(automaticZone_, row, 0);
    abroad->addWidget(tzBox_, row, 1, 1, 3);
    abroadHint_ = HintLine("abroadHintLabel");
    abroad->addWidget(abroadHint_, row + 1, 0, 1, 4);
    auto store = [this] {
        if (loading_) return;
        const QString id = tzBox_->currentText();
        const bool known = store::IsKnownZone(id.toStdString());
        // Only a zone the tz database knows is stored: a half-typed name keeps the last good choice.
        if (automaticZone_->isChecked() && known) setPending_(col::kTzid, id);
        if (!automaticZone_->isChecked()) setPending_(col::kTzid, QString());
    };
    connect(automaticZone_, &QCheckBox::toggled, this, [this, store](bool on) {
        tzBox_->setEnabled(on);
        store();
    });
    connect(tzBox_, &QComboBox::currentTextChanged, this, store);
}

void ZoneChoices::AddToChinaPage(QGridLayout* china) {
    chinaHint_ = HintLine("chinaHintLabel");
    china->addWidget(chinaHint_, china->rowCount(), 0, 1, 2);
}

void ZoneChoices::AddToSettingsPage(QVBoxLayout* common, QHBoxLayout* beijingRow, QVBoxLayout* other) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(TranslatedQ("ui", "均时差：")));
    eotBox_ = new QComboBox;
    eotBox_->setObjectName(QStringLiteral("eotBox"));
    eotBox_->addItem(TranslatedQ("ui", "固定表（默认）"), Text(kEotTableLabel));
    eotBox_->addItem(TranslatedQ("ui", "天文计算"), Text(kEotAstroLabel));
    row->addWidget(eotBox_);
    row->addStretch();
    other->insertLayout(other->count() - 1, row);
    connect(eotBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) setPending_(col::kEot, eotBox_->currentData().toString());
    });

    auto* stems = new QHBoxLayout;
    stems->addWidget(new QLabel(TranslatedQ("ui", "天干写法：")));
    stemBox_ = new QComboBox;
    stemBox_->setObjectName(QStringLiteral("sixthStemBox"));
    stemBox_->setToolTip(
        TranslatedQ("ui", "第六天干在页面、开穴表、报告与导出文件中的写法；数据库中的表不变"));
    stemBox_->addItem(TranslatedQ("ui", "已（默认）"), Text(kSixthStemAsKeys));
    stemBox_->addItem(QStringLiteral("己"), Text(kSixthStemUsual));
    stems->addWidget(stemBox_);
    stems->addStretch();
    common->insertLayout(common->count() - 1, stems);
    connect(stemBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) setPending_(col::kSixthStem, stemBox_->currentData().toString());
    });

    // Beside 仅仅使用北京时间, which it also is about: how Beijing clocks are read.
    chinaSummerBox_ = new QCheckBox(TranslatedQ("ui", "按当年中国夏令时读钟表"));
    chinaSummerBox_->setObjectName(QStringLiteral("chinaSummerBox"));
    chinaSummerBox_->setToolTip(
        TranslatedQ("ui",
                    "1986–1991 年等中国实行夏令时期间的时刻，勾选后按当时快一小时的钟表计算；"
                    "不勾选（默认）一律按北京时间计算"));
    beijingRow->addWidget(chinaSummerBox_);
    beijingRow->addStretch();
    connect(chinaSummerBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_) setPending_(col::kChinaDst, QString::fromStdString(store::CheckText(on)));
    });
}

void ZoneChoices::Load(const store::SettingsRecord& settings) {
    loading_ = true;
    const std::string tzid = settings.Value(col::kTzid);
    const std::string zone = settings.Value(col::kZone);
    const bool known = !tzid.empty() && store::IsKnownZone(tzid);
    if (automaticZone_) {
        automaticZone_->setChecked(known);
        tzBox_->setEnabled(known);
        tzBox_->setCurrentText(known ? QString::fromStdString(tzid) : Text(store::kMachineZone));
    }
    if (eotBox_)
        eotBox_->setCurrentIndex(EotSourceOfLabel(settings.Value(col::kEot)) == EotSource::Astronomical);
    if (stemBox_) stemBox_->setCurrentIndex(SixthStemOf(settings.Value(col::kSixthStem)) == SixthStem::Usual);
    if (chinaSummerBox_)
        chinaSummerBox_->setChecked(store::IsChecked(store::ReadCheckState(settings.Value(col::kChinaDst))));
    loading_ = false;
    // Once per stored text: the tick goes on as before, with the fixed zone (or Greenwich for a label
    // without an offset).
    QString unknown;
    if (!tzid.empty() && !known)
        unknown = TranslatedQ("ui", "设置中的时区“%1”不在本机的时区数据库中，仍按固定时区“%2”计算。")
                      .arg(QString::fromStdString(tzid), QString::fromStdString(zone));
    else if (!ParseZoneLabel(zone))
        unknown = TranslatedQ("ui", "设置中的时区“%1”的时差无法读取，国外页不计算，请重新选择时区。")
                      .arg(QString::fromStdString(zone));
    else if (!IsNamedZone(zone))
        unknown = TranslatedQ("ui", "设置中的时区“%1”不是已知的时区，按格林威治时间（GMT）计算。")
                      .arg(QString::fromStdString(zone));
    if (!unknown.isEmpty() && unknown != saidUnknown_) {
        saidUnknown_ = unknown;
        say_(unknown);
    }
}

void ZoneChoices::Complete(TickInput& in, const store::SettingsRecord& settings, DateTime reading,
                           std::optional<Instant> clockInstant, std::optional<int> chosenOffset) {
    in.eot = EotSourceOfLabel(settings.Value(col::kEot));
    in.chinaSummerTime = store::IsChecked(store::ReadCheckState(settings.Value(col::kChinaDst)));
    const std::string tzid = settings.Value(col::kTzid);
    const bool machineClock = clockInstant.has_value();
    if (in.page == TimePage::Abroad && !tzid.empty()) in.ianaZone = tzid;
    // The clocks of the days around the reading: the zone's offsets, or China's summer time when chosen.
    const bool covered =
        clockInstant ? store::CoverInstants(in, *clockInstant - 3 * kMsPerDay, *clockInstant + 3 * kMsPerDay)
                     : store::CoverReading(in, reading);
    const bool automatic = in.page == TimePage::Abroad && !tzid.empty() && covered && in.zoneTimeline;
    // The zone's offsets at the instant the reading stands for.
    std::optional<ZoneOffset> offset;
    if (automatic)
        offset = clockInstant ? in.zoneTimeline->At(*clockInstant)
                              : in.zoneTimeline->Resolve(reading, chosenOffset).offset;
    if (summerBox_) {
        // The derived summer time is shown, never stored: the typed value comes back with the fixed zone.
        const QSignalBlocker quiet(summerBox_);
        if (offset) {
            const QString text = QString::number(offset->summerSeconds / 60);
            if (summerBox_->text() != text) summerBox_->setText(text);
        }
        if (!automatic && !summerBox_->isEnabled())
            summerBox_->setText(QString::fromStdString(settings.Value(col::kSuma)));
        summerBox_->setEnabled(!automatic);
    }
    showZoneInForce(in, settings, offset, automatic || (automaticZone_ && automaticZone_->isChecked()));
    std::vector<Sentence> sentences = store::ClockHint(in, reading, machineClock);
    // The machine's clock read as the zone's: said as the China page says it of Beijing time.
    if (offset && machineClock && sentences.empty() && tzid != store::kMachineZone) {
        const int zone = offset->Total() / 60;
        const int machine = store::MachineOffsetMinutesAt(reading);
        if (machine != zone)
            sentences.push_back(
                {VELUNAR_TR("hint",
                            "本机时区此时为 {1}，不是 {2}（{3}）：时钟读数仍按 {2} 计算，请核对本机时区"),
                 {GmtText(machine), tzid, GmtText(zone)}});
    }
    const std::string hint = store::SaidHint(sentences);
    if (abroadHint_) ShowHint(abroadHint_, in.page == TimePage::Abroad ? hint : std::string());
    if (chinaHint_) ShowHint(chinaHint_, in.page == TimePage::China ? hint : std::string());
}

void ZoneChoices::showZoneInForce(const TickInput& in, const store::SettingsRecord& settings,
                                  const std::optional<ZoneOffset>& offset, bool inForce) {
    if (!zoneBox_) return;
    // Only the tick writes the box while the zone is in force; the user's own text comes back once after.
    if (!inForce && !zoneShownInForce_) return;
    zoneShownInForce_ = inForce;
    zoneBox_->setEnabled(!inForce);
    // Shown, never stored: the box's own text is the fixed zone the user chose.
    const QSignalBlocker quiet(zoneBox_);
    QString text = QString::fromStdString(settings.Value(col::kZone));
    if (inForce && offset)
        text = QStringLiteral("(%1) %2").arg(Text(GmtText(offset->standardSeconds / 60)), Text(in.ianaZone));
    else if (inForce)
        text = tzBox_->currentText();
    if (zoneBox_->currentText() != text) {
        zoneBox_->setCurrentText(text);
        zoneBox_->lineEdit()->setCursorPosition(0);
    }
}

}  // namespace velunar::ui

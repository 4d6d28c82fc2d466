#include "ui/taboo_choices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/mainwindow_widgets.h"

namespace velunar::ui {
namespace {

namespace col = store::settings_column;

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The line broken between its parts (" · ") where it would be wider than the column it stands in: explicit
// breaks, so the window is as tall as the label says (a word-wrapped label's size hint is a guess).
QString Fitted(const QLabel* label, const QWidget* column, const QString& text) {
    const int room = column ? std::max(200, column->sizeHint().width() - 8) : 340;
    const QFontMetrics metrics(label->font());
    QStringList lines;
    for (const QString& given : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& part : given.split(QStringLiteral(" · "))) {
            const QString longer = line.isEmpty() ? part : line + QStringLiteral(" · ") + part;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > room) {
                lines << line;
                line = part;
            } else {
                line = longer;
            }
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

void SetText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

QString Tip(const LunarView& l) {
    QStringList lines;
    lines << QStringLiteral("月相：%1").arg(Text(l.phaseText));
    if (!l.day.place.empty())
        lines << QStringLiteral("逐日人神：%1（%2）").arg(Text(l.day.place), Text(l.day.source));
    if (!l.hour.place.empty())
        lines << QStringLiteral("十二时人神：%1（%2）").arg(Text(l.hour.place), Text(l.hour.source));
    if (!l.age.place.empty())
        lines << QStringLiteral("行年人神：%1（%2）").arg(Text(l.age.place), Text(l.age.source));
    if (!l.kaoShen.place.empty())
        lines << QStringLiteral("九宫尻神：%1（%2）").arg(Text(l.kaoShen.place), Text(l.kaoShen.source));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

TabooChoices::TabooChoices(QObject* parent, Store store) : QObject(parent), store_(std::move(store)) {}

void TabooChoices::AddLineTo(QGridLayout* page, const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    page->addWidget(label, page->rowCount(), 0, 1, page->columnCount());
    lines_.push_back(label);
}

void TabooChoices::AddLineTo(QBoxLayout* column, const QString& name, const QWidget* widthOf) {
    widthOf_ = widthOf;
    auto* label = new QLabel;
    label->setObjectName(name);
    // Two lines held from the start: the window is laid out before the first tick fills them.
    label->setMinimumHeight(2 * label->fontMetrics().lineSpacing());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setContentsMargins(4, 0, 4, 0);
    column->addWidget(label);
    lines_.push_back(label);
}

void TabooChoices::AddToSettingsPage(QVBoxLayout* common) {
    auto* row = new QHBoxLayout;
    shownBox_ = new QCheckBox(QStringLiteral("显示人神禁忌"));
    shownBox_->setObjectName(QStringLiteral("renShenShownBox"));
    shownBox_->setChecked(true);
    readingBox_ = new QComboBox;
    readingBox_->setObjectName(QStringLiteral("renShenSourceBox"));
    readingBox_->setToolTip(QStringLiteral("诸书人神所在不尽相同：通行取多数所同之说"));
    readingBox_->addItem(QStringLiteral("通行（默认）"), Text(kRenShenCommonLabel));
    for (RenShenReading r : {RenShenReading::JinJian, RenShenReading::DaCheng})
        readingBox_->addItem(Text(RenShenReadingLabel(r)), Text(RenShenReadingLabel(r)));
    row->addWidget(shownBox_);
    row->addWidget(readingBox_);
    row->addStretch();
    // The age on a row of its own: beside the reading it made the page wider than half a laptop's screen at
    // a scale of 2.
    auto* ageRow = new QHBoxLayout;
    ageRow->addWidget(new QLabel(QStringLiteral("年岁：")));
    ageBox_ = new QSpinBox;
    ageBox_->setObjectName(QStringLiteral("patientAgeBox"));
    ageBox_->setRange(0, 150);
    ageBox_->setSpecialValueText(QStringLiteral("不填"));
    ageBox_->setSuffix(QStringLiteral(" 岁"));
    ageBox_->setToolTip(QStringLiteral("虚岁，推行年人神与九宫尻神；只用于本次，不保存"));
    ageRow->addWidget(ageBox_);
    ageRow->addStretch();
    common->insertLayout(common->count() - 1, row);
    common->insertLayout(common->count() - 1, ageRow);
    connect(shownBox_, &QCheckBox::toggled, this, [this](bool on) {
        readingBox_->setEnabled(on);
        ageBox_->setEnabled(on);
        if (!loading_) store_(col::kRenShen, Text(store::CheckText(on)));
    });
    connect(readingBox_, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_) store_(col::kRenShenSource, readingBox_->currentData().toString());
    });
}

void TabooChoices::AddWarningTo(QGridLayout* page, DoctrineId id, const QString& name) {
    auto* label = new WrappedLine;
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    label->hide();
    page->addWidget(label, 5, 0, 1, 5);
    warnings_[id] = label;
}

void TabooChoices::Load(const store::SettingsRecord& settings) {
    loading_ = true;
    const bool shown = store::ReadCheckState(settings.Value(col::kRenShen)) != store::CheckState::Unchecked;
    if (shownBox_) {
        shownBox_->setChecked(shown);
        readingBox_->setEnabled(shown);
        ageBox_->setEnabled(shown);
        readingBox_->setCurrentIndex(
            static_cast<int>(RenShenReadingOfLabel(settings.Value(col::kRenShenSource))));
    }
    loading_ = false;
}

void TabooChoices::Complete(TickInput& in) const {
    if (!shownBox_) return;
    in.taboo.shown = shownBox_->isChecked();
    in.taboo.reading = static_cast<RenShenReading>(std::max(0, readingBox_->currentIndex()));
    if (ageBox_->value() > 0) in.taboo.age = ageBox_->value();
}

void TabooChoices::Show(const TickView& view) {
    const LunarView& l = view.lunar;
    QString line;
    if (l.known) {
        // The line, then what the moon advises and where the 人神 of the double-hour (and of the age) dwells.
        line = Text(l.line) + QStringLiteral("\n月相 ") + Text(l.phaseText);
        if (!l.hour.place.empty()) line += QStringLiteral(" · 此时人神在") + Text(l.hour.place);
        if (!l.age.place.empty()) line += QStringLiteral(" · 行年人神在") + Text(l.age.place);
        if (!l.kaoShen.place.empty()) line += QStringLiteral(" · 尻神在") + Text(l.kaoShen.place);
    }
    const QString tip = l.known ? Tip(l) : QString();
    for (QLabel* label : lines_) {
        SetText(label, Fitted(label, widthOf_, line));
        if (label->toolTip() != tip) label->setToolTip(tip);
    }
    for (const DoctrineFinding& f : view.findings) {
        const auto it = warnings_.find(f.doctrine->Id());
        if (it == warnings_.end()) continue;
        QStringList texts;
        for (const std::string& w : FindingTabooWarnings(l, f.finding)) texts << Text(w);
        SetText(it->second, texts.join(QLatin1Char('\n')));
        it->second->setVisible(!texts.isEmpty());
    }
}

}  // namespace velunar::ui

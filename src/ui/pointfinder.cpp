#include "ui/pointfinder.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

namespace velunar::ui {
namespace {

constexpr int kNameRole = Qt::UserRole + 1;
// Holds nothing: the completer never marks a match by itself, so Enter keeps what was typed unless the
// user chose a line.
constexpr int kNoCompletionRole = Qt::UserRole + 2;

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Puts a match's name, not the line shown for it, into the box.
class NameCompleter : public QCompleter {
  public:
    using QCompleter::QCompleter;
    QString pathFromIndex(const QModelIndex& index) const override {
        return index.data(kNameRole).toString();
    }
};

}  // namespace

PointFinder::PointFinder(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    matches_ = new QStandardItemModel(this);
    completer_ = new NameCompleter(matches_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCompletionRole(kNoCompletionRole);
    completer_->setMaxVisibleItems(12);
    completer_->popup()->setObjectName(QStringLiteral("pointMatches"));
    lineEdit()->setCompleter(completer_);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PointFinder::showMatches);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &PointFinder::settle);
}

void PointFinder::setPoints(const std::vector<std::string>& names) {
    const QString typed = currentText();
    index_ = PointIndex(names);
    clear();
    for (const std::string& name : index_.Ordered()) addItem(Text(name));
    setCurrentIndex(-1);
    setEditText(typed);
}

QString PointFinder::settle() {
    const QString typed = currentText();
    const std::optional<std::string> name = index_.NameFor(typed.toStdString());
    if (name && Text(*name) != typed) setEditText(Text(*name));
    return currentText();
}

void PointFinder::showPopup() {
    emit aboutToDropDown();
    QComboBox::showPopup();
}

void PointFinder::showMatches(const QString& typed) {
    matches_->clear();
    if (typed.trimmed().isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    for (const std::string& name : index_.Find(typed.toStdString())) {
        QString line = Text(name);
        if (const std::optional<PointCode> code = CodeOfPoint(name))
            line += QStringLiteral("  %1  %2").arg(Text(code->code), Text(code->pinyin));
        auto* item = new QStandardItem(line);
        item->setData(Text(name), kNameRole);
        item->setEditable(false);
        matches_->appendRow(item);
    }
    if (matches_->rowCount() == 0) {
        completer_->popup()->hide();
        return;
    }
    completer_->complete();
}

}  // namespace velunar::ui

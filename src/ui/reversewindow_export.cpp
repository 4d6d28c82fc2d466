// What leaves the reverse lookup window: the rows copied, the report saved as GBK text and the openings
// saved as a calendar. Long ranges are written with a progress dialog that can be cancelled, so nothing
// freezes and a cancelled file leaves any old one as it was.
#include <set>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QTableView>

#include "reverse/reverse.h"
#include "store/calendar_file.h"
#include "store/codec.h"
#include "store/nativepath.h"
#include "store/report_file.h"
#include "store/store_error.h"
#include "ui/pointfinder.h"
#include "ui/reversewindow.h"

namespace velunar::ui {
namespace {

// Line and column (1-based, in characters) of the character at a 1-based code-point position.
int ColumnOf(const QString& line, qsizetype position) {
    int column = 0;
    qsizetype seen = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i].isLowSurrogate() && i > 0 && line[i - 1].isHighSurrogate()) continue;
        ++column;
        if (++seen == position) return column;
    }
    return column;
}

// The rows a view's selection covers, top to bottom.
std::vector<int> SelectedRows(const QAbstractItemView* view) {
    std::set<int> rows;
    for (const QItemSelectionRange& r : view->selectionModel()->selection())
        for (int row = r.top(); row <= r.bottom(); ++row) rows.insert(row);
    return {rows.begin(), rows.end()};
}

// Shown once writing takes longer than a moment; every few hundred lines it lets the window breathe.
class Progress {
  public:
    Progress(QWidget* window, const QString& label, int steps, const bool& cancelled)
        : dialog_(label, QStringLiteral("取消"), 0, steps, window), cancelled_(cancelled) {
        dialog_.setObjectName(QStringLiteral("exportProgress"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setValue(0);
    }
    // False once the user cancelled (or closed the window).
    bool Step(int done) {
        if (++sinceLook_ < 512) return true;
        sinceLook_ = 0;
        dialog_.setValue(done);
        return !dialog_.wasCanceled() && !cancelled_;
    }

  private:
    QProgressDialog dialog_;
    const bool& cancelled_;
    int sinceLook_ = 0;
};

}  // namespace

std::vector<std::string> ReverseLookupWindow::reportLines() const {
    std::vector<std::string> lines;
    const int rows = reportModel_->rowCount();
    lines.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) lines.push_back(reportModel_->lineAt(r));
    return lines;
}

void ReverseLookupWindow::copySelection(QAbstractItemView* view) const {
    QString text;
    const bool report = view == reportView_;
    const auto* table = qobject_cast<const DoctrineOpeningsModel*>(view->model());
    for (const int row : SelectedRows(view)) {
        if (report)
            text += QString::fromStdString(reportModel_->lineAt(row));
        else if (table)
            text += table->rowTexts(row).join(u'\t');
        text += u'\n';
    }
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

QString ReverseLookupWindow::chooseFile(QFileDialog*& dialog, const QString& title, const QString& filter,
                                        const QString& suffix) {
    // Named after what was searched, which is what the file holds.
    const QString proposed = searched_ ? searched_->point : pointBox_->currentText();
    if (!dialog) {
        dialog = new QFileDialog(this, title);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setNameFilter(filter);
        dialog->setDefaultSuffix(suffix);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    dialog->selectFile(proposed);
    QString path = chooseFile_
                       ? chooseFile_(*dialog, proposed)
                       : (dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString());
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += u'.' + suffix;
    return path;
}

void ReverseLookupWindow::onSave() {
    if (stale_) return;
    const QString path = chooseFile(saveDialog_, QStringLiteral("导出为文本"), QStringLiteral("TXT (*.txt)"),
                                    QStringLiteral("txt"));
    if (path.isEmpty()) return;
    saveDialog_->setObjectName(QStringLiteral("saveDialog"));
    const int rows = reportModel_->rowCount();
    exporting_ = true;
    exportCancelled_ = false;
    try {
        store::ReportWriter file(path);
        Progress progress(this, QStringLiteral("正在导出为文本…"), rows, exportCancelled_);
        for (int r = 0; r < rows; ++r) {
            const std::string line = reportModel_->lineAt(r);
            try {
                file.Line(line);
            } catch (const store::StoreError& e) {
                if (e.kind() != store::StoreErrorKind::Encoding) throw;
                // Refused before the file is replaced, with the place of the character.
                const QString text = QString::fromStdString(line);
                const store::Unencodable bad = store::FirstUnencodable(text);
                if (bad.position <= 0) throw;
                const QString code =
                    QString::number(bad.character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
                exporting_ = false;
                showMessage(
                    Message::Error,
                    QStringLiteral("报告第 %1 行第 %2 个字符“%3”（%4）无法用 GBK 编码保存，文件没有写入。")
                        .arg(r + 1)
                        .arg(ColumnOf(text, bad.position))
                        .arg(bad.character, QStringLiteral("U+") + code));
                return;
            }
            if (!progress.Step(r)) {
                exporting_ = false;
                return;
            }
        }
        file.Commit();
    } catch (const store::StoreError& e) {
        exporting_ = false;
        showMessage(Message::Error, QString::fromUtf8(e.what()));
        return;
    }
    exporting_ = false;
    showMessage(Message::Saved, QStringLiteral("成功保存"));
}

void ReverseLookupWindow::onExportCalendar() {
    if (stale_) return;
    if (store_->Total() == 0) {
        showMessage(Message::Error, QStringLiteral("没有可导出的开穴时间：请先查找"));
        return;
    }
    // Each event is in the clock time of the place as the main window has it now.
    const std::optional<TickInput> place = clockPlace();
    if (!place) return;
    const QString path = chooseFile(calendarDialog_, QStringLiteral("导出为日历"),
                                    QStringLiteral("iCalendar (*.ics)"), QStringLiteral("ics"));
    if (path.isEmpty()) return;
    calendarDialog_->setObjectName(QStringLiteral("calendarDialog"));
    const std::string point = (searched_ ? searched_->point : pointBox_->currentText()).toStdString();
    const auto total = static_cast<int>(store_->Total());
    exporting_ = true;
    exportCancelled_ = false;
    int events = 0, done = 0;
    try {
        store::CalendarFile file(store::NativeFromPath(path).toStdString(), store::UtcNow());
        OpeningSpans spans(*place);
        Progress progress(this, QStringLiteral("正在导出为日历…"), total, exportCancelled_);
        for (const Doctrine* d : ReportOrder()) {
            for (std::size_t i = 0; i < store_->CountOf(d->Id()); ++i) {
                const Opening& o = store_->At(d->Id(), i);
                if (const auto span = spans.Of(o)) {
                    file.Opening(*d, point, store_->Line(o, false), *span);
                    ++events;
                }
                if (!progress.Step(++done)) {
                    exporting_ = false;
                    return;
                }
            }
        }
        file.Commit();
    } catch (const store::CalendarFileError& e) {
        exporting_ = false;
        showMessage(Message::Error, QStringLiteral("日历文件没有写入：%1").arg(e.reason()));
        return;
    }
    exporting_ = false;
    showMessage(Message::Saved, QStringLiteral("成功保存 %1 个开穴时间").arg(events));
}

}  // namespace velunar::ui

#include "ui/memodialog.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include <QDialog>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/secondary.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"

namespace velunar::ui {

int MulDivRound(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int MemoDialogLabelWidth(int x) {
    return MulDivRound(164, x, 4);
}

MemoDialogGeometry ComputeMemoDialogGeometry(int x, int y, int labelHeight) {
    MemoDialogGeometry g;
    g.clientWidth = MulDivRound(300, x, 4);
    g.label = QRect(MulDivRound(8, x, 4), MulDivRound(8, y, 8), MemoDialogLabelWidth(x), labelHeight);
    const int buttonWidth = MulDivRound(50, x, 4);
    const int buttonHeight = MulDivRound(14, y, 8);
    g.memo = QRect(g.label.left(), g.label.top() + labelHeight + 5, g.clientWidth - 40, 10 * buttonHeight);
    const int buttonTop = g.memo.top() + g.memo.height() + 15;
    const int okLeft = (g.clientWidth - 2 * buttonWidth - 10) / 2;
    g.okButton = QRect(okLeft, buttonTop, buttonWidth, buttonHeight);
    g.cancelButton = QRect(okLeft + buttonWidth + 10, buttonTop, buttonWidth, buttonHeight);
    g.clientHeight = g.cancelButton.top() + buttonHeight + 13;
    return g;
}

MemoDialogGeometry FitMemoDialogHeight(MemoDialogGeometry g, int maxClientHeight) {
    const int excess = g.clientHeight - maxClientHeight;
    const int room = g.memo.height() - 3 * g.okButton.height();
    const int cut = std::min(excess, room);
    if (cut <= 0) return g;
    g.memo.setHeight(g.memo.height() - cut);
    g.okButton.translate(0, -cut);
    g.cancelButton.translate(0, -cut);
    g.clientHeight -= cut;
    return g;
}

namespace {

// A memo whose maximum length binds the user's typing, pasting and input-method text, never the text
// it was given. Plain Enter belongs to the dialog (its default button); Ctrl+Enter or Shift+Enter breaks
// the line.
class LimitedMemo : public QPlainTextEdit {
  public:
    LimitedMemo(int maxLength, QWidget* parent) : QPlainTextEdit(parent), maxLength_(maxLength) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (!(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
                event->ignore();
                return;
            }
            InsertLimited(QStringLiteral("\n"));
            return;
        }
        const QString typed = event->text();
        const bool inserts = !typed.isEmpty() && typed.at(0).isPrint() &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (inserts && Room() < typed.size()) {
            InsertLimited(typed);
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (source->hasText()) InsertLimited(source->text());
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        if (Room() >= event->commitString().size()) {
            QPlainTextEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent trimmed(event->preeditString(), event->attributes());
        trimmed.setCommitString(event->commitString().left(qMax(0, Room())), event->replacementStart(),
                                event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&trimmed);
    }

  private:
    // How many more characters fit, counting the selection as already gone.
    int Room() const {
        if (maxLength_ <= 0) return INT_MAX;
        const int length = document()->characterCount() - 1;
        const int selected = int(textCursor().selectedText().size());
        return maxLength_ - (length - selected);
    }

    void InsertLimited(QString text) {
        text.truncate(qMax(0, Room()));
        if (!text.isEmpty()) textCursor().insertText(text);
        ensureCursorVisible();
    }

    int maxLength_;
};

struct DialogUnits {
    int x;
    int y;
};

DialogUnits MeasureUnits(const QFont& font) {
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(kLetters) / 52, metrics.height()};
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("promptLabel"));
    QFont font = label->font();
    // 宋体 where it exists, else the nearest CJK serif or any CJK face, at the same 10 points.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(10);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* MakeButton(const QString& caption, const QString& name, const QRect& where, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(where);
    return button;
}

}  // namespace

bool MemoDialog(const QString& caption, const QString& label, const QString& memo, int maxLength,
                QWidget* parent) {
    QDialog dialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setObjectName(QStringLiteral("MemoDialog"));
    dialog.setWindowTitle(caption);
    const DialogUnits units = MeasureUnits(dialog.font());

    QLabel* prompt = MakeLabel(label, &dialog);
    const int labelWidth = MemoDialogLabelWidth(units.x);
    const int labelHeight = label.isEmpty() ? 0 : prompt->heightForWidth(labelWidth);
    const int screenRoom = AvailableArea(parent).height() - FrameExtra(&dialog).height();
    const MemoDialogGeometry g =
        FitMemoDialogHeight(ComputeMemoDialogGeometry(units.x, units.y, labelHeight), screenRoom);
    prompt->setGeometry(g.label);

    auto* box = new LimitedMemo(maxLength, &dialog);
    box->setObjectName(QStringLiteral("textBox"));
    box->setGeometry(g.memo);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setTabChangesFocus(true);
    box->setPlainText(memo);
    box->selectAll();

    QPushButton* ok = MakeButton(TranslatedQ("ui", "确定"), QStringLiteral("okButton"), g.okButton, &dialog);
    QPushButton* cancel =
        MakeButton(TranslatedQ("ui", "取消"), QStringLiteral("cancelButton"), g.cancelButton, &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    dialog.setFixedSize(g.clientWidth, g.clientHeight);
    WindowPlacement::Keep(&dialog, dialog.objectName());
    box->setFocus();
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace velunar::ui

#pragma once
// MemoDialog: a modal dialog showing a label and a text in a memo box, with 确定 and 取消. Its layout is
// computed from the dialog font's average character width X and height Y, in dialog units.
#include <QRect>
#include <QString>

class QWidget;

namespace velunar::ui {

// a × b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Client-area coordinates of every part of the dialog.
struct MemoDialogGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    QRect label;  // left, top, the width words are wrapped to, the wrapped text's height
    QRect memo;
    QRect okButton;
    QRect cancelButton;
};

// x: average character width of the dialog font (the 52 letters A–Z a–z measured together, / 52);
// y: the height of that text; labelHeight: the label's height once wrapped to label.width().
MemoDialogGeometry ComputeMemoDialogGeometry(int x, int y, int labelHeight);

// The geometry with its memo made shorter, down to three button heights, so the client area is no taller
// than maxClientHeight (a small screen, a large scale factor); the buttons follow the memo up.
MemoDialogGeometry FitMemoDialogHeight(MemoDialogGeometry g, int maxClientHeight);

// The wrap width of the label for x, which the caller needs to measure labelHeight.
int MemoDialogLabelWidth(int x);

// Shows the dialog modally (centred on the screen the first time, then where it was last left; fixed size,
// shortened to fit the screen) with the memo text all selected. Returns
// true when the user pressed 确定 (or Enter), false for 取消, Esc or the close box. maxLength limits what
// the user can type or paste (0: no limit); the given text is shown whole even when longer. The answer is
// all that comes back: the edited text is not returned.
bool MemoDialog(const QString& caption, const QString& label, const QString& memo, int maxLength,
                QWidget* parent = nullptr);

}  // namespace velunar::ui

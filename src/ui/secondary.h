#pragma once
// The windows that stand around the main window. All are created hidden at start-up, live as long as
// the main window (they are its children, shown as windows of their own) and are only hidden when
// closed. A window not built yet is a hidden placeholder with the form's name.
#include <QWidget>

namespace velunar::ui {

class FrmMsg;
class FrmPic;
class MainWindow;

struct SecondaryWindows {
    QWidget* Form2 = nullptr;      // the place picker
    QWidget* frmDetail = nullptr;  // the point-description manager
    FrmPic* frmPIC = nullptr;      // the picture window
    FrmMsg* frmMSG = nullptr;      // the text window
    QWidget* frmBack = nullptr;    // the reverse lookup window
};

// Creates the secondary windows in start-up order (Form2, frmDetail, frmPIC, frmMSG, frmBack), hidden,
// owned by `form1`.
SecondaryWindows CreateSecondaryWindows(MainWindow& form1);

// Shows a secondary window without making it modal, or brings it to the front when already shown.
void ShowSecondary(QWidget* window);

}  // namespace velunar::ui

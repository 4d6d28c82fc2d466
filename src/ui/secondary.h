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
    QWidget* placePicker = nullptr;
    QWidget* descriptionManager = nullptr;
    FrmPic* pictureWindow = nullptr;
    FrmMsg* helpWindow = nullptr;
    QWidget* reverseLookup = nullptr;
};

// Creates the secondary windows in start-up order (Form2, frmDetail, frmPIC, frmMSG, frmBack), hidden,
// owned by `form1`.
SecondaryWindows CreateSecondaryWindows(MainWindow& form1);

// Shows a secondary window without making it modal, or brings it to the front when already shown.
void ShowSecondary(QWidget* window);

}  // namespace velunar::ui

#include "ui/secondary.h"

#include "ui/detailwindow.h"
#include "ui/mainwindow.h"
#include "ui/picturewindow.h"
#include "ui/placepicker.h"
#include "ui/reversewindow.h"
#include "ui/textwindow.h"

namespace velunar::ui {

SecondaryWindows CreateSecondaryWindows(MainWindow& form1) {
    SecondaryWindows w;
    auto* picker = new PlacePicker(form1.dataPaths(), &form1);
    picker->setPickHandler(MainWindowPickHandler(&form1, form1.settingsRecord()));
    w.Form2 = picker;
    // The main window's Database keeps the store's default connection name.
    w.frmDetail = new FrmDetail(form1.database(), QStringLiteral("velunar"), &form1);
    w.frmPIC = new FrmPic(&form1);
    w.frmMSG = new FrmMsg(&form1);
    w.frmBack = new ReverseLookupWindow(
        form1.database(), [&form1] { return form1.referenceTables(); },
        [&form1] { return form1.ReferenceTime(); }, &form1);
    return w;
}

void ShowSecondary(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace velunar::ui

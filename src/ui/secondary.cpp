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
    picker->setPickHandler([&form1](const QString& xy, const QString& where) { form1.pickPlace(xy, where); });
    w.placePicker = picker;
    // The main window's Database keeps the store's default connection name.
    w.descriptionManager = new FrmDetail(form1.database(), QStringLiteral("velunar"), &form1);
    w.pictureWindow = new FrmPic(&form1);
    w.helpWindow = new FrmMsg(&form1);
    w.reverseLookup = new ReverseLookupWindow(
        form1.database(), [&form1] { return form1.referenceTables(); }, [&form1] { return form1.referenceTime(); },
        &form1);
    return w;
}

void ShowSecondary(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace velunar::ui

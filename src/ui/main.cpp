// The program's entry: the database made writable, the main window with its connection, the
// secondary windows hidden, then the message loop until the main window closes.
#include <cstdio>
#include <cstring>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include "store/database.h"
#include "store/datapaths.h"
#include "ui/mainwindow.h"
#include "ui/noticeplayer.h"
#include "ui/secondary.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velunar"));
    using namespace velunar;
    try {
        const store::DataPaths paths = store::DataPaths::ForExecutable();
        store::MakeWritable(paths.DatabaseFile());
        ui::MainWindow form1(paths);
        form1.setNoticePlayer(std::make_unique<ui::MediaNoticePlayer>());
        form1.setSecondaryWindows(ui::CreateSecondaryWindows(form1));
        form1.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("VelunarV4.5"), QString::fromUtf8(e.what()));
        return 1;
    }
}

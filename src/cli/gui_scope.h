#pragma once
// Fonts and painting need a GUI application; the commands that draw (dial, schedule --pdf) show none, so
// no display is needed.
#include <memory>

#include <QGuiApplication>

namespace velunar::cli {

class GuiScope {
  public:
    GuiScope() {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    bool Usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

  private:
    int argc_ = 1;
    char name_[12] = "velunar-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace velunar::cli

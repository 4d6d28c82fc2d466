#pragma once
// Fonts and painting need a GUI application; the commands that draw (dial, schedule --pdf) show none, so
// no display is needed. While it lives, what Qt itself says goes out under the command's name, as every
// message of velunar-cli does.
#include <cstdio>
#include <memory>
#include <string>

#include <QGuiApplication>

namespace velunar::cli {

class GuiScope {
  public:
    explicit GuiScope(const char* command) {
        Prefix() = std::string("velunar-cli ") + command + ": ";
        previous_ = qInstallMessageHandler(&GuiScope::Say);
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~GuiScope() {
        app_.reset();
        qInstallMessageHandler(previous_);
    }
    GuiScope(const GuiScope&) = delete;
    GuiScope& operator=(const GuiScope&) = delete;
    bool Usable() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

  private:
    static std::string& Prefix() {
        static std::string prefix;
        return prefix;
    }
    static void Say(QtMsgType type, const QMessageLogContext&, const QString& text) {
        // Qt choosing a runtime folder for itself, when XDG_RUNTIME_DIR is unset, changes nothing drawn.
        if (type == QtDebugMsg || text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            return;
        std::fprintf(stderr, "%s%s\n", Prefix().c_str(), text.toLocal8Bit().constData());
    }

    int argc_ = 1;
    char name_[12] = "velunar-cli";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previous_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace velunar::cli

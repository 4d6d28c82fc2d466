#include "cli/schedule_pdf.h"

#include <QIODevice>

#include "cli/gui_scope.h"
#include "store/nativepath.h"
#include "store/outputfile.h"

namespace velunar::cli {
namespace {

// The PDF writer writes page by page into the output file, so a long range never sits in memory whole.
class OutputDevice : public QIODevice {
  public:
    explicit OutputDevice(store::OutputFile& file) : file_(file) {}
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (!file_.Write(QByteArray::fromRawData(data, static_cast<qsizetype>(size)))) return -1;
        return size;
    }

  private:
    store::OutputFile& file_;
};

}  // namespace

bool WriteSchedulePdfFile(const std::string& path, const print::SheetRange& range,
                          const ReferenceTables& tables, CommandIo& io) {
    const GuiScope gui;
    if (!gui.Usable()) {
        io.err << "velunar-cli schedule: cannot draw the PDF without a GUI application\n";
        return false;
    }
    store::OutputFile file(store::PathFromNative(path));
    if (!file.Open()) {
        io.err << "velunar-cli schedule: cannot write " << path << ": " << file.ErrorString().toStdString()
               << '\n';
        return false;
    }
    OutputDevice device(file);
    device.open(QIODevice::WriteOnly);
    const int pages = print::WriteSchedulePdf(device, range, tables);
    device.close();
    if (pages == 0 || !file.Commit()) {
        const QString why = file.ErrorString();
        io.err << "velunar-cli schedule: cannot write " << path << ": "
               << (why.isEmpty() ? std::string("the pages could not be drawn") : why.toStdString()) << '\n';
        file.Cancel();
        return false;
    }
    return true;
}

}  // namespace velunar::cli

// The help files are GBK text of unknown origin: any bytes become text.
#include <cstdint>

#include <QByteArray>

#include "ui/textwindow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)velunar::ui::HelpTextFromBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}

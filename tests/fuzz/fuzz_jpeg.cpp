// Any picture file a user may pick: the libjpeg decoder turns every damage into an error, never an exit
// or a crash, and a decoded picture has the size it claims.
#include <cstdint>
#include <cstdlib>

#include <QByteArrayView>

#include "files/jpegimage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = velunar::DecodeJpeg(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (result.ok() && result.image.isNull()) std::abort();
    return 0;
}

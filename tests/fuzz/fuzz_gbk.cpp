// Help files and the place list are read as GBK: any bytes decode, and text that decoded cleanly
// encodes again without error.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "store/codec.h"
#include "store/store_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool invalid = false;
    const QString text = velunar::store::DecodeGbk(bytes, &invalid);
    if (!invalid) {
        try {
            (void)velunar::store::EncodeGbk(text);
        } catch (const velunar::store::StoreError&) {
            std::abort();
        }
    }
    return 0;
}

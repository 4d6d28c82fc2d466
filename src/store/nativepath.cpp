#include "store/nativepath.h"

#include <QFile>

namespace velunar::store {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at the start of bytes, or 0 when its first byte begins none
// (overlong forms, surrogates and code points above U+10FFFF are not valid).
std::size_t SequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

bool IsEscapedByte(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

}  // namespace

QString PathFromNative(std::string_view bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t start = 0;  // of the valid run not yet decoded
    std::size_t i = 0;
    const auto flush = [&] {
        if (i > start)
            path += QFile::decodeName(QByteArray(bytes.data() + start, static_cast<qsizetype>(i - start)));
    };
    while (i < bytes.size()) {
        const std::size_t length = SequenceLength(bytes.substr(i));
        if (length > 0) {
            i += length;
            continue;
        }
        flush();
        path += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
        start = ++i;
    }
    flush();
    return path;
}

QByteArray NativeFromPath(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsEscapedByte(path.at(i).unicode())) continue;
        bytes += QFile::encodeName(path.mid(start, i - start));
        if (i < path.size()) bytes += static_cast<char>(path.at(i).unicode() - kEscapeBase);
        start = i + 1;
    }
    return bytes;
}

}  // namespace velunar::store

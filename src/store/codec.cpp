#include "store/codec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "store/outputfile.h"
#include "store/store_error.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

constexpr const char* kGbk = "GBK";

void RequireGbk(bool valid) {
    if (!valid) {
        throw StoreError(
            StoreErrorKind::Encoding,
            Translated("store", "这个 Qt 不支持 GBK 编码（需要以 ICU 构建的 Qt），无法读写 GBK 文本文件"));
    }
}

// Whether one code point survives GBK: the encoder accepts it and decoding gives it back.
bool Fits(const QString& character) {
    QStringEncoder encoder(kGbk, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(character);
    if (encoder.hasError()) return false;
    QStringDecoder decoder(kGbk, QStringConverter::Flag::Stateless);
    const QString back = decoder(bytes);
    return !decoder.hasError() && back == character;
}

}  // namespace

bool GbkAvailable() {
    return QStringEncoder(kGbk).isValid() && QStringDecoder(kGbk).isValid();
}

// Whether the bytes end in the lead byte of a two-byte character whose second byte is missing (a file cut
// off mid-character); the decoder drops such a byte without reporting it.
bool EndsMidCharacter(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x81 && b <= 0xFE) {
            if (i + 1 == bytes.size()) return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

QString DecodeGbk(const QByteArray& bytes, bool* hadInvalid) {
    QStringDecoder decoder(kGbk, QStringConverter::Flag::Stateless);
    RequireGbk(decoder.isValid());
    QString text = decoder(bytes);
    bool invalid = decoder.hasError();
    if (EndsMidCharacter(bytes) && !text.endsWith(QChar::ReplacementCharacter)) {
        text += QChar::ReplacementCharacter;
        invalid = true;
    }
    if (hadInvalid) *hadInvalid = invalid;
    return text;
}

QString DecodeLegacyText(const QByteArray& bytes, bool* hadInvalid) {
    static const QByteArray kUtf8Bom("\xEF\xBB\xBF");
    if (!bytes.startsWith(kUtf8Bom)) return DecodeGbk(bytes, hadInvalid);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes).sliced(kUtf8Bom.size()));
    if (hadInvalid) *hadInvalid = decoder.hasError();
    return text;
}

Unencodable FirstUnencodable(const QString& text) {
    QStringEncoder whole(kGbk, QStringConverter::Flag::Stateless);
    RequireGbk(whole.isValid());
    const QByteArray ignored = whole(text);
    if (!whole.hasError()) return {};
    qsizetype position = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ++position;
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!Fits(character)) return {character, position};
        i += length - 1;
    }
    return {};
}

QByteArray EncodeGbk(const QString& text) {
    QStringEncoder encoder(kGbk, QStringConverter::Flag::Stateless);
    RequireGbk(encoder.isValid());
    QByteArray bytes = encoder(text);
    if (!encoder.hasError()) return bytes;
    const Unencodable bad = FirstUnencodable(text);
    const QString code =
        QStringLiteral("U+%1").arg(bad.character.toUcs4().value(0), 4, 16, QLatin1Char('0')).toUpper();
    throw StoreError(StoreErrorKind::Encoding,
                     TranslatedQ("store", "文本含有 GBK 无法表示的字符“%1”（%2，第 %3 个字符）")
                         .arg(bad.character, code)
                         .arg(bad.position)
                         .toStdString());
}

QString ToCrLf(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return result;
}

QString ReadGbkFile(const QString& path, bool* hadInvalid) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw StoreError(
            StoreErrorKind::File,
            TranslatedQ("store", "无法读取文件 %1：%2").arg(path, file.errorString()).toStdString());
    }
    return DecodeGbk(file.readAll(), hadInvalid);
}

void WriteGbkFile(const QString& path, const QString& text) {
    const QByteArray bytes = EncodeGbk(text);
    OutputFile file(path);
    if (!file.Open() || !file.Write(bytes) || !file.Commit()) {
        throw StoreError(
            StoreErrorKind::File,
            TranslatedQ("store", "无法写入文件 %1：%2").arg(path, file.ErrorString()).toStdString());
    }
}

}  // namespace velunar::store

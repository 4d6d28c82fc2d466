#pragma once
// GBK at the file boundary: the place list and the help texts are read as GBK, the report is written as
// GBK. Inside the program all text is Unicode (QString, or UTF-8 std::string in the core).
#include <string>

#include <QByteArray>
#include <QString>

namespace velunar::store {

// Whether this Qt can convert GBK at all (it needs ICU). Everything below throws StoreError (Encoding)
// when it cannot.
bool GbkAvailable();

// Bytes that are not GBK become U+FFFD; *hadInvalid (when given) says whether that happened.
QString DecodeGbk(const QByteArray& bytes, bool* hadInvalid = nullptr);

// The bytes of a legacy text file: GBK, or UTF-8 when they start with UTF-8's byte-order mark (a file
// saved again by a modern editor), the mark dropped. Invalid bytes become U+FFFD as in DecodeGbk.
QString DecodeLegacyText(const QByteArray& bytes, bool* hadInvalid = nullptr);

// Throws StoreError (Encoding) naming the first character GBK cannot hold and its position (1-based, in
// characters) when the text has one; nothing is returned half converted.
QByteArray EncodeGbk(const QString& text);

// The first character GBK cannot hold and its 1-based position; position 0 when every character fits.
struct Unencodable {
    QString character;  // one code point, possibly a surrogate pair
    qsizetype position = 0;
};
Unencodable FirstUnencodable(const QString& text);

// Line ends turned to CR LF (LF, CR LF and lone CR all become CR LF).
QString ToCrLf(const QString& text);

// Whole-file helpers. Read throws StoreError (File) naming the path and the cause. Write encodes first
// and then replaces the file atomically, so an unencodable text or a failed write leaves any old file
// untouched.
QString ReadGbkFile(const QString& path, bool* hadInvalid = nullptr);
void WriteGbkFile(const QString& path, const QString& text);

}  // namespace velunar::store

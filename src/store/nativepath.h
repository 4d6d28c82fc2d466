#pragma once
// File names as the system has them: bytes. Qt turns a name into UTF-8 and back, which mangles a name
// that is not valid UTF-8 (a file made under a GBK locale, or $'caf\xe9.txt'). These two keep every byte:
// a byte that is not part of valid UTF-8 travels inside the QString as the lone surrogate U+DC80..U+DCFF
// and comes back out as the same byte. Names that are valid UTF-8 read exactly as QFile::decodeName
// reads them.
#include <string_view>

#include <QByteArray>
#include <QString>

namespace velunar::store {

// A name from the command line, the environment or the file system.
QString PathFromNative(std::string_view bytes);
// The bytes to hand to the system for a name made by PathFromNative (or any other QString).
QByteArray NativeFromPath(const QString& path);

}  // namespace velunar::store

#include "store/outputfile.h"

#include <QFileInfo>

namespace velunar::store {

namespace {

bool IsSpecialFile(const QString& path) {
    const QFileInfo info(path);  // follows symbolic links
    return info.exists() && !info.isFile() && !info.isDir();
}

}  // namespace

OutputFile::OutputFile(const QString& path) : inPlace_(IsSpecialFile(path)), replaced_(path), direct_(path) {}

OutputFile::~OutputFile() {
    Cancel();
}

bool OutputFile::Open() {
    // Unbuffered, so a full disk is reported by the write that meets it.
    if (inPlace_) return direct_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return replaced_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool OutputFile::Write(const QByteArray& bytes) {
    QFileDevice& file = inPlace_ ? static_cast<QFileDevice&>(direct_) : replaced_;
    return file.write(bytes) == bytes.size();
}

bool OutputFile::Commit() {
    if (!inPlace_) return replaced_.commit();
    const bool flushed = direct_.flush();
    direct_.close();
    return flushed && direct_.error() == QFileDevice::NoError;
}

void OutputFile::Cancel() {
    if (inPlace_) {
        direct_.close();
    } else if (replaced_.isOpen()) {
        replaced_.cancelWriting();
        replaced_.commit();  // with writing cancelled this only removes the temporary file
    }
}

QString OutputFile::ErrorString() const {
    return inPlace_ ? direct_.errorString() : replaced_.errorString();
}

}  // namespace velunar::store

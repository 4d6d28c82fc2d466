#pragma once
// A file the program writes as a whole (the saved report). A regular file, or one not there yet, is
// replaced atomically through a temporary file beside it, so a failed write leaves the old one as it
// was. A device or a pipe (/dev/stdout, a FIFO) is written in place: renaming over it would put a plain
// file where the device was. The name is taken byte for byte (see nativepath.h), and every failure keeps
// the system's reason: a full disk says so, whatever the step that met it.
#include <QByteArray>
#include <QString>

namespace velunar::store {

class OutputFile {
  public:
    explicit OutputFile(const QString& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each returns false on failure, with the cause in ErrorString().
    bool Open();
    bool Write(const QByteArray& bytes);
    bool Commit();
    // Drops what was written (the temporary file); a device keeps what it was sent.
    void Cancel();

    bool WritesInPlace() const { return inPlace_; }
    QString ErrorString() const { return error_; }

  private:
    bool Fail(int error);
    void Discard();

    QByteArray target_;
    QByteArray temporary_;
    int fd_ = -1;
    bool inPlace_;
    bool replacesExisting_ = false;
    QString error_;
};

}  // namespace velunar::store

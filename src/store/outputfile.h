#pragma once
// A file the program writes as a whole (the saved report). A regular file, or one not there yet, is
// replaced atomically through a temporary file beside it, so a failed write leaves the old one as it
// was. A device or a pipe (/dev/stdout, a FIFO) is written in place: renaming over it would put a plain
// file where the device was.
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
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
    QString ErrorString() const;

  private:
    bool inPlace_;
    QSaveFile replaced_;
    QFile direct_;
};

}  // namespace velunar::store

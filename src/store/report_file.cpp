#include "store/report_file.h"

#include <QStringEncoder>

#include "store/codec.h"
#include "store/outputfile.h"
#include "store/store_error.h"
#include "store/translation.h"

namespace velunar::store {

void WriteReport(const QString& path, const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    }
    WriteGbkFile(path, text);
}

namespace {

// Encoded lines are gathered and written in blocks of about this size.
constexpr qsizetype kWriteBlock = 64 * 1024;

[[noreturn]] void FileError(const QString& path, const QString& cause) {
    throw StoreError(StoreErrorKind::File,
                     TranslatedQ("store", "无法写入文件 %1：%2").arg(path, cause).toStdString());
}

}  // namespace

struct ReportWriter::Impl {
    QString path;
    OutputFile file;
    QStringEncoder encoder{"GBK"};
    QByteArray pending;
    std::int64_t lines = 0;
    bool utf8 = false;

    explicit Impl(const QString& p) : path(p), file(p) {}
    void WritePending() {
        if (!file.Write(pending)) FileError(path, file.ErrorString());
        pending.clear();
    }
};

ReportWriter::ReportWriter(const QString& path, bool utf8) : impl_(std::make_unique<Impl>(path)) {
    impl_->utf8 = utf8;
    if (!utf8 && !GbkAvailable()) EncodeGbk(QString());  // throws the store's message about the missing codec
    if (!impl_->file.Open()) FileError(path, impl_->file.ErrorString());
}

ReportWriter::~ReportWriter() {
    impl_->file.Cancel();
}

void ReportWriter::Line(std::string_view utf8) {
    ++impl_->lines;
    if (impl_->utf8) {
        impl_->pending.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
        impl_->pending += "\r\n";
        if (impl_->pending.size() >= kWriteBlock) impl_->WritePending();
        return;
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QByteArray bytes = impl_->encoder(text);
    if (impl_->encoder.hasError()) {
        try {
            EncodeGbk(text);
        } catch (const StoreError& e) {
            throw StoreError(StoreErrorKind::Encoding, Filled(Translated("store", "第 {1} 行：{2}"),
                                                              {std::to_string(impl_->lines), e.what()}));
        }
    }
    impl_->pending += bytes;
    impl_->pending += "\r\n";
    if (impl_->pending.size() >= kWriteBlock) impl_->WritePending();
}

void ReportWriter::Commit() {
    impl_->WritePending();
    if (!impl_->file.Commit()) FileError(impl_->path, impl_->file.ErrorString());
}

}  // namespace velunar::store

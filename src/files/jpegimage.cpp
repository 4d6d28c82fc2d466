#include "files/jpegimage.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <utility>

#include <jpeglib.h>
// jerror.h after jpeglib.h: its message list depends on the configuration jpeglib.h brings in.
#include <jerror.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace velunar {
namespace {

// A hostile progressive file can hold thousands of tiny scans that each cost a full pass.
constexpr int kMaxScans = 1000;

struct ErrorManager {
    jpeg_error_mgr pub;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOut(ErrorManager* err) {
    std::longjmp(err->jump, 1);
}

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    JumpOut(err);
}

// Warnings that mean pixel data is missing or damaged. libjpeg would fill the rest with grey and go on;
// a half-grey picture shown as a point's picture is worse than an error. Running out of data matters by
// itself only in a progressive file (a missing scan leaves every row blurred); in a sequential one, rows
// that lack data also raise JWRN_HIT_MARKER, while a file that lacks only its end marker is complete.
bool IsDamageWarning(j_common_ptr cinfo) {
    switch (cinfo->err->msg_code) {
        case JWRN_JPEG_EOF:
            return cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->progressive_mode;
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
#if JPEG_LIB_VERSION >= 70 || defined(D_ARITH_CODING_SUPPORTED)
        case JWRN_ARITH_BAD_CODE:
#endif
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION:
            return true;
        default:
            return false;
    }
}

// Replaces libjpeg's handler, which prints to stderr; trace messages (level >= 0) are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    if (IsDamageWarning(cinfo)) OnFatalError(cinfo);
    cinfo->err->num_warnings++;
}

void OnProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
    JumpOut(err);
}

// Everything that must survive a longjmp lives here and is constructed before setjmp, so the jump back
// never skips a destructor.
struct DecodeJob {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    QImage image;
    QByteArray cmykRow;
    JDIMENSION declaredWidth = 0;
    JDIMENSION declaredHeight = 0;
};

enum class Outcome { Ok, LibjpegError, TooLarge, OutOfMemory };

bool TooLarge(JDIMENSION w, JDIMENSION h) {
    return w > JDIMENSION(kMaxPictureSide) || h > JDIMENSION(kMaxPictureSide) ||
           qint64(w) * qint64(h) > kMaxPicturePixels;
}

void ChooseOutput(DecodeJob& job, QImage::Format* format) {
    switch (job.cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
            job.cinfo.out_color_space = JCS_GRAYSCALE;
            *format = QImage::Format_Grayscale8;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            job.cinfo.out_color_space = JCS_CMYK;
            *format = QImage::Format_RGB32;
            break;
        default:
            job.cinfo.out_color_space = JCS_RGB;
            *format = QImage::Format_RGB888;
            break;
    }
}

// Files with an Adobe marker (all Photoshop CMYK files) store the inks inverted.
void CmykRowToRgb(const JSAMPLE* in, QRgb* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

void ReadRows(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.cinfo;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = int(cinfo->output_scanline);
        JSAMPROW row = cmyk ? reinterpret_cast<JSAMPROW>(job.cmykRow.data()) : job.image.scanLine(y);
        // Reading from memory never suspends; should it return nothing, finish_decompress reports it.
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) break;
        if (cmyk) {
            CmykRowToRgb(row, reinterpret_cast<QRgb*>(job.image.scanLine(y)), cinfo->output_width,
                         cinfo->saw_Adobe_marker);
        }
    }
}

Outcome RunDecompress(DecodeJob& job, const unsigned char* data, unsigned long size) {
    j_decompress_ptr cinfo = &job.cinfo;
    cinfo->err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = OnFatalError;
    job.err.pub.emit_message = OnMessage;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(cinfo);
        return Outcome::LibjpegError;
    }
    jpeg_create_decompress(cinfo);
    job.progress.progress_monitor = OnProgress;
    cinfo->progress = &job.progress;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    job.declaredWidth = cinfo->image_width;
    job.declaredHeight = cinfo->image_height;
    if (TooLarge(cinfo->image_width, cinfo->image_height)) {
        jpeg_destroy_decompress(cinfo);
        return Outcome::TooLarge;
    }
    QImage::Format format = QImage::Format_RGB888;
    ChooseOutput(job, &format);
    jpeg_start_decompress(cinfo);
    job.image = QImage(int(cinfo->output_width), int(cinfo->output_height), format);
    if (cinfo->out_color_space == JCS_CMYK) job.cmykRow.resize(qsizetype(cinfo->output_width) * 4);
    if (job.image.isNull()) {
        jpeg_destroy_decompress(cinfo);
        return Outcome::OutOfMemory;
    }
    ReadRows(job);
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return Outcome::Ok;
}

PictureResult Failure(const QString& text) {
    return PictureResult{QImage(), text};
}

QString FileError(const QString& path, const QString& cause) {
    return QStringLiteral("无法显示图片文件“%1”：%2").arg(QDir::toNativeSeparators(path), cause);
}

}  // namespace

PictureResult DecodeJpeg(QByteArrayView bytes) {
    if (bytes.isEmpty()) return Failure(QStringLiteral("文件是空的（0 字节），不是 JPEG 图片"));
    DecodeJob job;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    switch (RunDecompress(job, data, static_cast<unsigned long>(bytes.size()))) {
        case Outcome::Ok:
            return PictureResult{job.image, QString()};
        case Outcome::TooLarge:
            return Failure(QStringLiteral("图片尺寸 %1 × %2 过大（每边最多 %3 像素，共最多 %4 像素）")
                               .arg(job.declaredWidth)
                               .arg(job.declaredHeight)
                               .arg(kMaxPictureSide)
                               .arg(kMaxPicturePixels));
        case Outcome::OutOfMemory:
            return Failure(QStringLiteral("内存不足，无法解码 %1 × %2 的图片")
                               .arg(job.declaredWidth)
                               .arg(job.declaredHeight));
        case Outcome::LibjpegError:
            break;
    }
    return Failure(
        QStringLiteral("JPEG 图片已损坏或无法解码（%1）").arg(QString::fromLocal8Bit(job.err.message)));
}

bool IsJpegFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"jpg" || suffix == u"jpeg";
}

namespace {

// The file's bytes, or an error naming the path and the file layer's cause.
bool ReadPictureBytes(const QString& path, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        *error = FileError(path, QStringLiteral("这是一个文件夹，不是图片文件"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = FileError(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxPictureFileBytes) {
        *error = FileError(path, QStringLiteral("文件过大（%1 字节）").arg(file.size()));
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = FileError(path, file.errorString());
        return false;
    }
    return true;
}

PictureResult LoadWithQt(const QString& path, QByteArray bytes, const QByteArray& format) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && TooLarge(JDIMENSION(size.width()), JDIMENSION(size.height()))) {
        return Failure(
            FileError(path, QStringLiteral("图片尺寸 %1 × %2 过大").arg(size.width()).arg(size.height())));
    }
    QImage image = reader.read();
    if (image.isNull()) return Failure(FileError(path, reader.errorString()));
    return PictureResult{image, QString()};
}

}  // namespace

PictureResult LoadPictureFile(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toUtf8();
    const bool jpeg = IsJpegFileName(path);
    if (!jpeg && (suffix.isEmpty() || !QImageReader::supportedImageFormats().contains(suffix))) {
        const QString what = suffix.isEmpty()
                                 ? QStringLiteral("文件名没有扩展名")
                                 : QStringLiteral("不支持 .%1 格式").arg(QString::fromUtf8(suffix));
        return Failure(FileError(path, what));
    }
    QByteArray bytes;
    QString error;
    if (!ReadPictureBytes(path, &bytes, &error)) return Failure(error);
    if (!jpeg) return LoadWithQt(path, std::move(bytes), suffix);
    PictureResult result = DecodeJpeg(bytes);
    if (!result.ok()) result.error = FileError(path, result.error);
    return result;
}

}  // namespace velunar

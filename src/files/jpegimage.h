#pragma once
// Picture files for the picture window. JPEG goes through libjpeg with an error manager that turns every
// fatal libjpeg error into an error text (libjpeg's own handler would end the program); the other formats
// go through Qt's image readers. Nothing here throws: a damaged picture is an ordinary result.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace velunar {

// Pictures larger than this are refused before any pixel memory is taken (a damaged or hostile header can
// declare up to 65500 × 65500).
inline constexpr int kMaxPictureSide = 20000;
inline constexpr qint64 kMaxPicturePixels = 50'000'000;
// Files larger than this are not read at all.
inline constexpr qint64 kMaxPictureFileBytes = 64 * 1024 * 1024;

// A decoded picture, or why there is none. Exactly one of the two is set.
struct PictureResult {
    QImage image;
    QString error;  // Chinese, ready to show; names the path when there is one
    bool ok() const { return error.isEmpty(); }
};

// Decodes JPEG bytes (grayscale, RGB/YCbCr, CMYK/YCCK). Damaged pixel data (a truncated file, a bad
// Huffman code) is an error, not a half-grey picture. A pure function of the bytes.
PictureResult DecodeJpeg(QByteArrayView bytes);

// Whether the file name's extension selects the JPEG decoder (jpg or jpeg, any letter case).
bool IsJpegFileName(const QString& path);

// Loads a picture file; the format follows the extension: jpg/jpeg through DecodeJpeg, any extension Qt
// has a reader for through that reader, anything else is an unsupported format. Error texts name the path.
PictureResult LoadPictureFile(const QString& path);

}  // namespace velunar

// The secondary viewers: help text window, picture decoding and picture window, the memo dialog, the
// notice sound and the way to the clock settings.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "files/jpegimage.h"
#include "files/noticeplayer.h"
#include "store/store_error.h"
#include "ui/clocksettings.h"
#include "ui/memodialog.h"
#include "ui/picturewindow.h"
#include "ui/textwindow.h"

using namespace velunar;
using namespace velunar::ui;

namespace {

// ---- helpers -------------------------------------------------------------------------------------------

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// Encodes pixels with libjpeg's compressor (rows of width × components samples).
QByteArray EncodeJpeg(int width, int height, int components, J_COLOR_SPACE space,
                      const std::vector<unsigned char>& pixels, bool progressive = false) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        auto* row = const_cast<JSAMPROW>(&pixels[size_t(c.next_scanline) * width * components]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    jpeg_destroy_compress(&c);
    return bytes;
}

// An RGB picture made of four flat quadrants: red, green / blue, white.
std::vector<unsigned char> Quadrants(int width, int height) {
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            const QColor c = !bottom ? (right ? Qt::green : Qt::red) : (right ? Qt::white : Qt::blue);
            pixels.insert(pixels.end(), {uchar(c.red()), uchar(c.green()), uchar(c.blue())});
        }
    }
    return pixels;
}

QByteArray QuadrantJpeg(int width = 64, int height = 48, bool progressive = false) {
    return EncodeJpeg(width, height, 3, JCS_RGB, Quadrants(width, height), progressive);
}

bool Near(QRgb actual, QColor expected, int tolerance = 12) {
    return qAbs(qRed(actual) - expected.red()) <= tolerance &&
           qAbs(qGreen(actual) - expected.green()) <= tolerance &&
           qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

QString Describe(QRgb c) {
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Declares a new size in the first SOF0 marker of a baseline JPEG.
QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    jpeg[sof + 5] = char(height >> 8), jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8), jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

// A 16-bit mono PCM WAV of silence.
QByteArray SilentWav(int milliseconds) {
    const quint32 rate = 8000, samples = rate * quint32(milliseconds) / 1000, dataBytes = samples * 2;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    wav.append(QByteArray(int(dataBytes), '\0'));
    return wav;
}

// Runs drive on the next modal widget as soon as it is up. A watchdog closes that widget after ten
// seconds, so a test whose key press goes astray fails instead of hanging.
void WhenModalAppears(std::function<void(QWidget*)> drive) {
    auto* poll = new QTimer;
    const QDeadlineTimer deadline(10000);
    QObject::connect(poll, &QTimer::timeout, [poll, drive, deadline] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            QPointer<QWidget> watched(modal);
            QTimer::singleShot(10000, [watched] {
                if (watched) watched->close();
            });
            drive(modal);
        } else if (deadline.hasExpired()) {
            poll->deleteLater();
            poll->stop();
        }
    });
    poll->start(10);
}

}  // namespace

class TestViewers : public QObject {
    Q_OBJECT

  private slots:
    // ---- help text and its window
    // ----------------------------------------------------------------------------
    void helpTextDecodesGbkAndUnifiesLineEnds();
    void helpFileReplacesTextInTheSameWindow();
    void failedHelpFileLeavesWindowAsItWas();
    void textWindowShell();

    // ---- pictures ----------------------------------------------------------------------------------------
    void jpegDecodesRgbGrayAndCmyk();
    void jpegDamagedInputsGiveErrors();
    void jpegTruncatedAtAnyPointIsRefused();
    void jpegHugeDeclaredSizeIsRefused();
    void pictureFileFormatFollowsExtension();
    void pictureWindowStretchesToItsBox();
    void failedPictureLeavesWindowAsItWas();

    // ---- MemoDialog --------------------------------------------------------------------------------------
    void memoGeometryRules();
    void memoDialogLaysOutAndAnswers();
    void memoMaxLengthLimitsTypingOnly();

    // ---- notice sound ------------------------------------------------------------------------------------
    void noticePlayerSwallowsFailures();

    // ---- clock settings ----------------------------------------------------------------------------------
    void clockSettingsAnsweringNoStartsNothing();
    void clockSettingsChoosesTheDesktopsTool();
    void clockSettingsReportsMissingOrFailingTool();

  private:
    QTemporaryDir dir_;
};

// ---- help text and its window
// ------------------------------------------------------------------------------

void TestViewers::helpTextDecodesGbkAndUnifiesLineEnds() {
    // 子午流注 CR LF 真太阳时 LF 关闭 CR (end): the three line ends a help file may have.
    const QByteArray bytes = QByteArray::fromHex("d7d3cee7c1f7d7a2") + "\r\n" +
                             QByteArray::fromHex("d5e6ccabd1f4cab1") + "\n" +
                             QByteArray::fromHex("b9d8b1d5") + "\r";
    QCOMPARE(HelpTextFromBytes(bytes), QStringLiteral("子午流注\n真太阳时\n关闭\n"));
    // A lead byte without a valid second byte becomes a replacement character; the rest survives.
    const QString damaged = HelpTextFromBytes(QByteArray::fromHex("d7d3") + QByteArray("\x81\x20", 2) + "ok");
    QVERIFY(damaged.startsWith(QStringLiteral("子")));
    QVERIFY(damaged.contains(QChar(0xFFFD)));
    QVERIFY(damaged.endsWith(QStringLiteral("ok")));
    // A text saved as UTF-8 with a byte-order mark.
    QCOMPARE(HelpTextFromBytes(QByteArray("\xEF\xBB\xBF") + QStringLiteral("时辰\r\n").toUtf8()),
             QStringLiteral("时辰\n"));
    QCOMPARE(HelpTextFromBytes(QByteArray()), QString());
}

void TestViewers::helpFileReplacesTextInTheSameWindow() {
    const QString sun = dir_.filePath(QStringLiteral("sun.txt"));
    const QString mode = dir_.filePath(QStringLiteral("timemode.txt"));
    WriteFile(sun, QByteArray::fromHex("d5e6ccabd1f4cab1") + "\r\nline 2\r\n");
    WriteFile(mode, QByteArray::fromHex("d7d3cee7c1f7d7a2") + "\n");
    HelpTextWindow window;
    window.ShowFile(sun);
    QVERIFY(window.isVisible());
    QCOMPARE(window.textBox()->toPlainText(), QStringLiteral("真太阳时\nline 2\n"));
    window.ShowFile(mode);
    QVERIFY(window.isVisible());
    QCOMPARE(window.textBox()->toPlainText(), QStringLiteral("子午流注\n"));
    // Typing into the memo changes nothing on disk, and a reload shows the file again.
    window.textBox()->appendPlainText(QStringLiteral("typed"));
    window.ShowFile(mode);
    QCOMPARE(window.textBox()->toPlainText(), QStringLiteral("子午流注\n"));
    QFile file(mode);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("d7d3cee7c1f7d7a2") + "\n");
}

void TestViewers::failedHelpFileLeavesWindowAsItWas() {
    const QString missing = dir_.filePath(QStringLiteral("msg/about.txt"));
    HelpTextWindow fresh;
    try {
        fresh.ShowFile(missing);
        QFAIL("a missing help file must raise an error");
    } catch (const velunar::store::StoreError& error) {
        QCOMPARE(error.kind(), velunar::store::StoreErrorKind::File);
        QVERIFY2(QString::fromUtf8(error.what()).contains(missing), error.what());
    }
    QVERIFY(!fresh.isVisible());

    // A hidden window with a text keeps it and stays hidden; so does a folder given as the file.
    const QString good = dir_.filePath(QStringLiteral("good.txt"));
    WriteFile(good, "kept\r\n");
    fresh.ShowFile(good);
    fresh.closeButton()->click();
    QVERIFY(!fresh.isVisible());
    QVERIFY_THROWS_EXCEPTION(velunar::store::StoreError, fresh.ShowFile(missing));
    QVERIFY_THROWS_EXCEPTION(velunar::store::StoreError, fresh.ShowFile(dir_.path()));
    QVERIFY(!fresh.isVisible());
    QCOMPARE(fresh.textBox()->toPlainText(), QStringLiteral("kept\n"));
}

void TestViewers::textWindowShell() {
    HelpTextWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("helpTextWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("显示文本窗口"));
    QVERIFY(window.isWindow());
    QVERIFY(window.minimumSize() != window.maximumSize());  // resizable
    QCOMPARE(window.textBox()->objectName(), QStringLiteral("textBox"));
    QVERIFY(!window.textBox()->isReadOnly());
    // The text wraps to the window, so only a word longer than the window needs a bar below it.
    QCOMPARE(window.textBox()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(window.textBox()->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(window.textBox()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(window.closeButton()->text(), QStringLiteral("关闭"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.frameGeometry().size(), QSize(488, 335));
    // The strip runs along the bottom edge, the memo fills what is above it.
    QCOMPARE(window.buttonStrip()->height(), 41);
    QCOMPARE(window.buttonStrip()->geometry().bottom(), window.height() - 1);
    QCOMPARE(window.textBox()->geometry(), QRect(0, 0, window.width(), window.height() - 41));
    window.resize(700, 500);
    QTRY_COMPARE(window.buttonStrip()->geometry(), QRect(0, 500 - 41, 700, 41));
    QTest::mouseClick(window.closeButton(), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

// ---- pictures ------------------------------------------------------------------------------------------

void TestViewers::jpegDecodesRgbGrayAndCmyk() {
    for (bool progressive : {false, true}) {
        const PictureResult rgb = DecodeJpeg(QuadrantJpeg(64, 48, progressive));
        QVERIFY2(rgb.ok(), qPrintable(rgb.error));
        QCOMPARE(rgb.image.size(), QSize(64, 48));
        QVERIFY2(Near(rgb.image.pixel(8, 8), Qt::red), qPrintable(Describe(rgb.image.pixel(8, 8))));
        QVERIFY(Near(rgb.image.pixel(56, 8), Qt::green));
        QVERIFY(Near(rgb.image.pixel(8, 40), Qt::blue));
        QVERIFY(Near(rgb.image.pixel(56, 40), Qt::white));
    }

    const PictureResult gray =
        DecodeJpeg(EncodeJpeg(9, 5, 1, JCS_GRAYSCALE, std::vector<unsigned char>(45, 128)));
    QVERIFY2(gray.ok(), qPrintable(gray.error));
    QCOMPARE(gray.image.size(), QSize(9, 5));
    QVERIFY(Near(gray.image.pixel(4, 2), QColor(128, 128, 128), 3));

    // CMYK as Photoshop stores it (inks inverted, Adobe marker): 0 % cyan, 100 % magenta and yellow is red.
    std::vector<unsigned char> cmyk;
    for (int i = 0; i < 16 * 16; ++i) cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    const PictureResult red = DecodeJpeg(EncodeJpeg(16, 16, 4, JCS_CMYK, cmyk));
    QVERIFY2(red.ok(), qPrintable(red.error));
    QVERIFY2(Near(red.image.pixel(8, 8), Qt::red), qPrintable(Describe(red.image.pixel(8, 8))));
}

void TestViewers::jpegDamagedInputsGiveErrors() {
    QVERIFY(!DecodeJpeg(QByteArray()).ok());
    QVERIFY(DecodeJpeg(QByteArray()).image.isNull());
    QVERIFY(!DecodeJpeg(QByteArray("\xFF\xD8", 2)).ok());
    QVERIFY(!DecodeJpeg(QByteArray("this is not a picture")).ok());

    QRandomGenerator random(20130601);
    for (int i = 0; i < 200; ++i) {
        QByteArray noise(int(random.bounded(1, 3000)), Qt::Uninitialized);
        for (char& c : noise) c = char(random.bounded(256));
        if (i % 2) noise.prepend("\xFF\xD8\xFF", 3);  // past the first check, into the marker parser
        const PictureResult result = DecodeJpeg(noise);
        QVERIFY(!result.ok());
        QVERIFY(result.image.isNull());
    }

    // Bytes of a real picture flipped at random: decoding always returns, with a picture or a message.
    const QByteArray good = QuadrantJpeg();
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        QByteArray bent = good;
        for (int k = 0; k < 1 + i % 4; ++k)
            bent[int(random.bounded(2, bent.size()))] = char(random.bounded(256));
        const PictureResult result = DecodeJpeg(bent);
        QCOMPARE(result.ok(), !result.image.isNull());
        QCOMPARE(result.ok(), result.error.isEmpty());
        if (!result.ok()) ++refused;
    }
    QVERIFY(refused > 0);
}

void TestViewers::jpegTruncatedAtAnyPointIsRefused() {
    for (bool progressive : {false, true}) {
        const QByteArray whole = QuadrantJpeg(64, 48, progressive);
        for (qsizetype length = 0; length < whole.size() - 2; ++length) {
            const PictureResult cut = DecodeJpeg(QByteArrayView(whole).first(length));
            QVERIFY2(!cut.ok(), qPrintable(QStringLiteral("progressive %1, %2 of %3 bytes decoded")
                                               .arg(progressive)
                                               .arg(length)
                                               .arg(whole.size())));
        }
    }
    // Only the end-of-image marker missing: every pixel is there, so the picture is shown.
    const QByteArray whole = QuadrantJpeg();
    const PictureResult noEnd = DecodeJpeg(QByteArrayView(whole).first(whole.size() - 2));
    QVERIFY2(noEnd.ok(), qPrintable(noEnd.error));
    QVERIFY(Near(noEnd.image.pixel(56, 40), Qt::white));
}

void TestViewers::jpegHugeDeclaredSizeIsRefused() {
    const QByteArray good = QuadrantJpeg(16, 16);
    for (const QSize declared : {QSize(60000, 60000), QSize(kMaxPictureSide + 1, 16), QSize(8000, 8000)}) {
        const QByteArray huge = WithDeclaredSize(good, declared.width(), declared.height());
        QVERIFY(!huge.isEmpty());
        const PictureResult result = DecodeJpeg(huge);
        QVERIFY(!result.ok());
        QVERIFY2(result.error.contains(QStringLiteral("过大")), qPrintable(result.error));
        QVERIFY2(result.error.contains(QString::number(declared.width())), qPrintable(result.error));
    }
}

void TestViewers::pictureFileFormatFollowsExtension() {
    const QByteArray jpeg = QuadrantJpeg();
    for (const char* name : {"肺.JPG", "b.jpeg", "c.Jpg"}) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        WriteFile(path, jpeg);
        const PictureResult result = LoadPictureFile(path);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.image.size(), QSize(64, 48));
    }
    const QString png = dir_.filePath(QStringLiteral("d.png"));
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(Qt::blue);
    QVERIFY(square.save(png));
    const PictureResult fromQt = LoadPictureFile(png);
    QVERIFY2(fromQt.ok(), qPrintable(fromQt.error));
    QCOMPARE(fromQt.image.pixel(1, 1), QColor(Qt::blue).rgb());

    // Missing, unsupported, no extension, damaged: each error names the file.
    const QString text = dir_.filePath(QStringLiteral("e.txt"));
    const QString bare = dir_.filePath(QStringLiteral("f"));
    const QString damaged = dir_.filePath(QStringLiteral("g.jpg"));
    WriteFile(text, "plain");
    WriteFile(bare, jpeg);
    WriteFile(damaged, jpeg.left(jpeg.size() / 2));
    for (const QString& path :
         {dir_.filePath(QStringLiteral("none.jpg")), text, bare, damaged, dir_.path()}) {
        const PictureResult result = LoadPictureFile(path);
        QVERIFY2(!result.ok(), qPrintable(path));
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    }
}

void TestViewers::pictureWindowStretchesToItsBox() {
    const QString path = dir_.filePath(QStringLiteral("quadrants.jpg"));
    WriteFile(path, QuadrantJpeg(64, 48));
    PictureWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("pictureWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("穴位图片"));
    QCOMPARE(window.pictureBox()->objectName(), QStringLiteral("pictureBox"));
    window.ShowPicture(path);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.frameGeometry().size(), QSize(494, 626));

    // At the start size and after a resize to a much wider shape, the quadrants fill the whole box.
    for (const QSize outer : {QSize(494, 626), QSize(900, 300)}) {
        window.resize(outer);
        QTRY_COMPARE(window.pictureBox()->size(), QSize(outer.width(), outer.height() - 41));
        QCOMPARE(window.pictureBox()->PictureRect(), window.pictureBox()->rect());
        const QImage shot = window.pictureBox()->grab().toImage();
        const int w = shot.width(), h = shot.height();
        QVERIFY2(Near(shot.pixel(w / 4, h / 4), Qt::red), qPrintable(Describe(shot.pixel(w / 4, h / 4))));
        QVERIFY(Near(shot.pixel(3 * w / 4, h / 4), Qt::green));
        QVERIFY(Near(shot.pixel(w / 4, 3 * h / 4), Qt::blue));
        QVERIFY(Near(shot.pixel(3 * w / 4, 3 * h / 4), Qt::white));
        // The corners are the picture's too: no bars from a kept aspect ratio.
        QVERIFY(Near(shot.pixel(1, 1), Qt::red, 40));
        QVERIFY(Near(shot.pixel(w - 2, h - 2), Qt::white, 40));
    }
    window.closeButton()->click();
    QVERIFY(!window.isVisible());
}

void TestViewers::failedPictureLeavesWindowAsItWas() {
    const QString good = dir_.filePath(QStringLiteral("kept.jpg"));
    const QString damaged = dir_.filePath(QStringLiteral("broken.jpg"));
    WriteFile(good, QuadrantJpeg(32, 32));
    WriteFile(damaged, QByteArray("\xFF\xD8\xFF\xE0garbage", 11));

    PictureWindow fresh;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, fresh.ShowPicture(damaged));
    QVERIFY(!fresh.isVisible());
    QVERIFY(fresh.pictureBox()->Image().isNull());

    fresh.ShowPicture(good);
    fresh.closeButton()->click();
    try {
        fresh.ShowPicture(dir_.filePath(QStringLiteral("pic/none.JPG")));
        QFAIL("a missing picture must raise an error");
    } catch (const std::runtime_error& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("none.JPG")), error.what());
    }
    QVERIFY(!fresh.isVisible());
    QCOMPARE(fresh.pictureBox()->Image().size(), QSize(32, 32));
}

// ---- MemoDialog ----------------------------------------------------------------------------------------

void TestViewers::memoGeometryRules() {
    // Rounding to nearest, halves away from zero (not to even).
    QCOMPARE(MulDivRound(50, 7, 4), 88);   // 87.5
    QCOMPARE(MulDivRound(5, 1, 2), 3);     // 2.5
    QCOMPARE(MulDivRound(14, 13, 8), 23);  // 22.75
    QCOMPARE(MulDivRound(164, 6, 4), 246);
    QCOMPARE(MulDivRound(-5, 1, 2), -3);

    // X = 7, Y = 16 with a one-line label 14 high.
    const MemoDialogGeometry a = ComputeMemoDialogGeometry(7, 16, 14);
    QCOMPARE(a.clientWidth, 525);
    QCOMPARE(a.label, QRect(14, 16, 287, 14));
    QCOMPARE(a.memo, QRect(14, 35, 485, 280));
    QCOMPARE(a.okButton, QRect(169, 330, 88, 28));
    QCOMPARE(a.cancelButton, QRect(267, 330, 88, 28));
    QCOMPARE(a.clientHeight, 371);

    // X = 6, Y = 13 with a wrapped label 30 high: everything below the label moves down with it.
    const MemoDialogGeometry b = ComputeMemoDialogGeometry(6, 13, 30);
    QCOMPARE(b.clientWidth, 450);
    QCOMPARE(b.label, QRect(12, 13, 246, 30));
    QCOMPARE(b.memo, QRect(12, 48, 410, 230));
    QCOMPARE(b.okButton, QRect(145, 293, 75, 23));
    QCOMPARE(b.cancelButton, QRect(230, 293, 75, 23));
    QCOMPARE(b.clientHeight, 329);
    // The pair is centred: the gaps to either side differ by the integer division's remainder at most.
    QVERIFY(qAbs(b.okButton.left() - (b.clientWidth - b.cancelButton.right() - 1)) <= 1);
}

void TestViewers::memoDialogLaysOutAndAnswers() {
    const QString note = QStringLiteral("关于国外真太阳时：\n第二段");
    struct Seen {
        QString title, selected;
        QSize size, expectedSize;
        QRect memo, expectedMemo, ok, expectedOk;
        bool okDefault = false, memoFocused = false;
        QString labelFamily;
        int labelPoints = 0;
    } seen;
    WhenModalAppears([&seen](QWidget* modal) {
        const auto* memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("textBox"));
        const auto* label = modal->findChild<QLabel*>(QStringLiteral("promptLabel"));
        const auto* ok = modal->findChild<QPushButton*>(QStringLiteral("okButton"));
        if (!memo || !label || !ok) return;
        const QFontMetrics metrics(modal->font());
        const int x = metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                      52;
        const MemoDialogGeometry g = ComputeMemoDialogGeometry(x, metrics.height(), label->height());
        seen = {modal->windowTitle(),   memo->textCursor().selectedText(),
                modal->size(),          QSize(g.clientWidth, g.clientHeight),
                memo->geometry(),       g.memo,
                ok->geometry(),         g.okButton,
                ok->isDefault(),        modal->focusWidget() == memo,
                label->font().family(), label->font().pointSize()};
        QTest::keyClick(const_cast<QPlainTextEdit*>(memo), Qt::Key_Escape);
    });
    QCOMPARE(MemoDialog(QStringLiteral("北京时间是定律"), QStringLiteral("北京时间是定律"), note, 1000),
             false);
    QCOMPARE(seen.title, QStringLiteral("北京时间是定律"));
    QCOMPARE(seen.size, seen.expectedSize);
    QCOMPARE(seen.memo, seen.expectedMemo);
    QCOMPARE(seen.ok, seen.expectedOk);
    QVERIFY(seen.okDefault);
    QVERIFY(seen.memoFocused);
    QCOMPARE(seen.labelPoints, 10);
    // The whole text is selected (QTextCursor writes the line break as a paragraph separator).
    QCOMPARE(seen.selected, QString(note).replace(QLatin1Char('\n'), QChar::ParagraphSeparator));

    // Enter in the memo answers 确定 instead of replacing the selected note with a line break.
    WhenModalAppears([](QWidget* modal) {
        if (auto* memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("textBox")))
            QTest::keyClick(memo, Qt::Key_Return);
    });
    QCOMPARE(MemoDialog(QStringLiteral("c"), QStringLiteral("l"), note, 1000), true);
    WhenModalAppears([](QWidget* modal) {
        if (auto* cancel = modal->findChild<QPushButton*>(QStringLiteral("cancelButton"))) cancel->click();
    });
    QCOMPARE(MemoDialog(QStringLiteral("c"), QStringLiteral("l"), note, 1000), false);
    WhenModalAppears([](QWidget* modal) { modal->close(); });
    QCOMPARE(MemoDialog(QStringLiteral("c"), QStringLiteral("l"), note, 1000), false);
}

void TestViewers::memoMaxLengthLimitsTypingOnly() {
    QStringList texts;
    WhenModalAppears([&texts](QWidget* modal) {
        auto* memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("textBox"));
        if (!memo) return;
        texts << memo->toPlainText();  // longer than the limit, shown whole
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, QStringLiteral("xyz"));
        texts << memo->toPlainText();  // typing refused
        for (int i = 0; i < 4; ++i) QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClicks(memo, QStringLiteral("xyz"));
        texts << memo->toPlainText();  // four deleted, two typed fit
        QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClick(memo, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("PQRS"));
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        texts << memo->toPlainText();  // a paste is cut to what fits
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Q);
        texts << memo->toPlainText();  // typing over a selection frees its room
        QTest::keyClick(memo, Qt::Key_Escape);
    });
    QCOMPARE(MemoDialog(QStringLiteral("c"), QStringLiteral("l"), QStringLiteral("0123456789"), 8), false);
    QCOMPARE(texts,
             QStringList({QStringLiteral("0123456789"), QStringLiteral("0123456789"),
                          QStringLiteral("012345xy"), QStringLiteral("012345PQ"), QStringLiteral("q")}));
}

// ---- notice sound --------------------------------------------------------------------------------------

void TestViewers::noticePlayerSwallowsFailures() {
    MediaNoticePlayer player;
    QStringList failures;  // "path: cause"
    player.setFailureHook(
        [&](const QString& path, const QString& cause) { failures << path + ": " + cause; });
    const QString missing = dir_.filePath(QStringLiteral("romance.mp3"));
    player.play(missing);  // must neither throw nor block
    QVERIFY(!player.LastError().isEmpty());
    QCOMPARE(failures, QStringList{missing + QStringLiteral(": 文件不存在")});
    QCOMPARE(player.Player()->playbackState(), QMediaPlayer::StoppedState);

    // A damaged file and a playable one: both return at once, also right after the failure of the first;
    // no sound device is needed.
    const QString damaged = dir_.filePath(QStringLiteral("damaged.mp3"));
    const QString wav = dir_.filePath(QStringLiteral("silence.wav"));
    WriteFile(damaged, QByteArray(4096, '\x5A'));
    WriteFile(wav, SilentWav(200));
    for (const QString& path : {damaged, wav, missing}) {
        QElapsedTimer clock;
        clock.start();
        player.play(path);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QTest::qWait(300);  // let asynchronous errors of the media framework arrive
    }
    // The damaged file was reported too, by the media framework, under its own name.
    QVERIFY2(std::any_of(failures.begin(), failures.end(),
                         [&](const QString& f) { return f.startsWith(damaged + QStringLiteral(": ")); }),
             qPrintable(failures.join(u'\n')));
    QVERIFY(std::none_of(failures.begin(), failures.end(),
                         [&](const QString& f) { return f.startsWith(wav + QStringLiteral(": ")); }));
    // The last request was a missing file: whatever played before has been stopped and closed.
    QCOMPARE(player.Player()->playbackState(), QMediaPlayer::StoppedState);
    QVERIFY(player.Player()->source().isEmpty());

    // The shipped sound, where the build has put it, really plays (the media framework falls back to a
    // silent sink when there is no sound device).
    const QString shipped = QStringLiteral(VELUNAR_BIN_DIR "/romance.mp3");
    if (QFile::exists(shipped)) {
        player.play(shipped);
        QTRY_VERIFY2_WITH_TIMEOUT(player.Player()->mediaStatus() == QMediaPlayer::BufferedMedia ||
                                      player.Player()->mediaStatus() == QMediaPlayer::EndOfMedia,
                                  qPrintable(player.LastError()), 10000);
        QVERIFY2(player.LastError().isEmpty(), qPrintable(player.LastError()));
        player.play(missing);
        QCOMPARE(player.Player()->playbackState(), QMediaPlayer::StoppedState);
    }

    RecordingNoticePlayer fake;
    NoticePlayer& asked = fake;
    asked.play(QStringLiteral("/x/romance.mp3"));
    QCOMPARE(fake.played, QStringList{QStringLiteral("/x/romance.mp3")});
}

// ---- clock settings ------------------------------------------------------------------------------------

namespace {

struct FakeSystem {
    QStringList installed;  // program names that findExecutable knows
    bool startSucceeds = true;
    QStringList started;  // "program arg arg"
    QStringList told;
    int searches = 0;

    ClockSettingsHooks Hooks(bool answer, const QString& desktop) {
        ClockSettingsHooks hooks;
        hooks.confirm = [answer](QWidget*) { return answer; };
        hooks.inform = [this](QWidget*, const QString& text) { told << text; };
        hooks.findExecutable = [this](const QString& name) {
            ++searches;
            return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
        hooks.startDetached = [this](const QString& program, const QStringList& arguments) {
            started << (QStringList{program} + arguments).join(QLatin1Char(' '));
            return startSucceeds;
        };
        hooks.currentDesktop = desktop;
        return hooks;
    }
};

}  // namespace

void TestViewers::clockSettingsAnsweringNoStartsNothing() {
    FakeSystem system;
    system.installed = {QStringLiteral("gnome-control-center")};
    QCOMPARE(OpenClockSettings(nullptr, system.Hooks(false, QStringLiteral("GNOME"))),
             ClockSettingsOutcome::Declined);
    QVERIFY(system.started.isEmpty());
    QVERIFY(system.told.isEmpty());
    QCOMPARE(system.searches, 0);

    // The real confirmation box: its text, title, icon and buttons; closing it with No starts nothing.
    ClockSettingsHooks hooks = system.Hooks(true, QStringLiteral("GNOME"));
    hooks.confirm = nullptr;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yesAndNo = false, noByDefault = false;
    WhenModalAppears([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        text = box->text(), title = box->windowTitle(), icon = box->icon();
        yesAndNo = box->button(QMessageBox::Yes) && box->button(QMessageBox::No);
        noByDefault = yesAndNo && box->defaultButton() == box->button(QMessageBox::No);
        if (QAbstractButton* no = box->button(QMessageBox::No)) no->click();
    });
    QCOMPARE(OpenClockSettings(nullptr, hooks), ClockSettingsOutcome::Declined);
    QCOMPARE(text, QStringLiteral("将要修改系统机器时间，是否继续？"));
    QCOMPARE(title, QStringLiteral("修改系统时间"));
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(yesAndNo);
    QVERIFY(noByDefault);
    QVERIFY(system.started.isEmpty());
}

void TestViewers::clockSettingsChoosesTheDesktopsTool() {
    FakeSystem system;
    system.installed = {QStringLiteral("gnome-control-center"), QStringLiteral("kcmshell5"),
                        QStringLiteral("budgie-control-center")};
    QCOMPARE(OpenClockSettings(nullptr, system.Hooks(true, QStringLiteral("KDE"))),
             ClockSettingsOutcome::Started);
    QCOMPARE(OpenClockSettings(nullptr, system.Hooks(true, QStringLiteral("ubuntu:GNOME"))),
             ClockSettingsOutcome::Started);
    QCOMPARE(OpenClockSettings(nullptr, system.Hooks(true, QStringLiteral("Budgie:GNOME"))),
             ClockSettingsOutcome::Started);
    // An unknown desktop, or none, falls back to the first installed tool in the list.
    QCOMPARE(OpenClockSettings(nullptr, system.Hooks(true, QStringLiteral("sway"))),
             ClockSettingsOutcome::Started);
    QCOMPARE(system.started, QStringList({QStringLiteral("/usr/bin/kcmshell5 kcm_clock"),
                                          QStringLiteral("/usr/bin/gnome-control-center datetime"),
                                          QStringLiteral("/usr/bin/budgie-control-center datetime"),
                                          QStringLiteral("/usr/bin/gnome-control-center datetime")}));
    QVERIFY(system.told.isEmpty());
}

void TestViewers::clockSettingsReportsMissingOrFailingTool() {
    FakeSystem none;
    QCOMPARE(OpenClockSettings(nullptr, none.Hooks(true, QStringLiteral("GNOME"))),
             ClockSettingsOutcome::NoTool);
    QVERIFY(none.started.isEmpty());
    QCOMPARE(none.told.size(), 1);
    QVERIFY2(none.told.first().contains(QStringLiteral("没有找到")), qPrintable(none.told.first()));

    FakeSystem failing;
    failing.installed = {QStringLiteral("mate-time-admin")};
    failing.startSucceeds = false;
    QCOMPARE(OpenClockSettings(nullptr, failing.Hooks(true, QStringLiteral("MATE"))),
             ClockSettingsOutcome::StartFailed);
    QCOMPARE(failing.told.size(), 1);
    QVERIFY2(failing.told.first().contains(QStringLiteral("mate-time-admin")),
             qPrintable(failing.told.first()));
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestViewers tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_viewers.moc"

#pragma once
// The help text window, which shows the help files, and ViewerWindow, the shell it shares with the
// picture window: a resizable, non-modal window with a 41-pixel strip along the bottom holding "关闭".
// Closing a viewer only hides it; it keeps its content until the next load.
#include <QByteArray>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace velunar::ui {

// Help files larger than this are refused rather than loaded into the memo.
inline constexpr qint64 kMaxHelpFileBytes = 4 * 1024 * 1024;

// The text of a help file's bytes: GBK decoded (bytes that are not GBK become U+FFFD), line ends (CR LF,
// LF or a lone CR) made LF. A UTF-8 byte-order mark selects UTF-8 instead, so a help text saved by a
// modern editor still reads. A pure function of the bytes; throws store::StoreError (Encoding) only on a
// Qt without GBK support.
QString HelpTextFromBytes(const QByteArray& bytes);

// Reads a help file. Throws store::StoreError (File) naming the path and the cause when it is missing,
// unreadable, a folder or too large.
QString ReadHelpFile(const QString& path);

class ViewerWindow : public QWidget {
    Q_OBJECT
  public:
    QWidget* buttonStrip() const { return buttonStrip_; }
    QPushButton* closeButton() const { return closeButton_; }

  public slots:
    // "关闭": hides the window; its content stays.
    void onCloseClicked();

  protected:
    // outerSize includes the window frame, as the window system reports it once the window is framed.
    ViewerWindow(const QString& objectName, const QString& caption, QSize outerSize, QWidget* parent);
    // Puts the viewer's own content above the strip.
    void SetContent(QWidget* content);
    // Shows the window, or brings it to the front (restored) when it is already open.
    void BringToFront();

  private:
    // Where the window opens when it was never moved: its own size, centred on the screen.
    void PlaceCentred();

    QSize outerSize_;
    QWidget* buttonStrip_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

// "显示文本窗口": the text box shows a help file; what the user types there is never stored.
class HelpTextWindow : public ViewerWindow {
    Q_OBJECT
  public:
    explicit HelpTextWindow(QWidget* parent = nullptr);

    // Replaces the text box's text with the file's and shows the window (in front if already open). On a
    // failure it throws store::StoreError naming the path; the window then stays as it was, hidden or
    // shown, with its previous text.
    void ShowFile(const QString& path);

    QPlainTextEdit* textBox() const { return textBox_; }

  private:
    QPlainTextEdit* textBox_ = nullptr;
};

}  // namespace velunar::ui

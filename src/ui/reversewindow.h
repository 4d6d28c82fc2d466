#pragma once
// frmBack "穴位反推功能": for one point and a range of dates, when each doctrine opens it. The search runs
// on a thread of its own with its own database connection; its lines reach the memos in batches, so the
// window and the main window stay live however long the range. The report on the page "全部" is built
// when the search ends, and can be saved as GBK text.
#include <functional>
#include <memory>
#include <string>

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include "calendar/datetime.h"
#include "reverse/reverse.h"

class QComboBox;
class QDateEdit;
class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace velunar::store {
class Database;
}

namespace velunar::ui {

class ReverseRun;

class FrmBack : public QWidget {
    Q_OBJECT
  public:
    // The main window's reference date-time, asked once for each picker when the window is shown.
    using ReferenceTimeFn = std::function<DateTime()>;
    // The save dialog: returns the chosen path, or "" when the user cancels. proposedName is the name
    // the dialog offers (the text of ComboBox1).
    using ChooseFileHook = std::function<QString(QFileDialog& dialog, const QString& proposedName)>;
    enum class Message { Saved, Error };
    using MessageHook = std::function<void(Message kind, const QString& text)>;

    // db: the main window's connection, used on this thread for the point list; a search opens the same
    // file again on its own thread.
    FrmBack(store::Database& db, ReferenceTimeFn referenceTime, QWidget* parent = nullptr);
    ~FrmBack() override;

    void setChooseFileHook(ChooseFileHook hook) { chooseFile_ = std::move(hook); }
    void setMessageHook(MessageHook hook) { message_ = std::move(hook); }

    // True from Button2Click until the report is built.
    bool isSearching() const;
    // The memo of a scan (Memo2..Memo9) and of the report (Memo1).
    QPlainTextEdit* memoOf(Scan scan) const;
    QPlainTextEdit* reportMemo() const { return Memo1; }

  public slots:
    void FormShow();
    // Starts the search of ComboBox1's text over the two pickers' dates; returns at once.
    void Button2Click();
    // Saves Memo1 through SaveDialog1.
    void Button4Click();
    // Stops a running search; what was found stays and the report says the search was stopped.
    void ButtonCancelClick();

  signals:
    // Every line found is in its memo (the search completed, was stopped or failed); the report follows.
    void scansEnded();
    // The search has ended (completed, stopped or failed) and the report is in Memo1.
    void searchFinished();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Phase { Idle, Searching, Reporting };

    void buildControls();
    void placeCentred();
    void showMessage(Message kind, const QString& text);
    void setRunning(bool running);
    void clearMemos();
    void onTimer();
    bool appendSearchLines(const QElapsedTimer& slice);
    void startReport();
    bool appendReport(const QElapsedTimer& slice);
    void finishRun();
    void abortRun();
    QString endNote() const;
    void updateProgress();

    store::Database& db_;
    ReferenceTimeFn referenceTime_;
    ChooseFileHook chooseFile_;
    MessageHook message_;
    bool placed_ = false;

    std::unique_ptr<ReverseRun> run_;
    quint64 runSerial_ = 0;
    bool threadEnded_ = false;
    Phase phase_ = Phase::Idle;
    QStringList reportChunks_;
    qsizetype reportDone_ = 0;
    QTimer* batchTimer_ = nullptr;

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QLabel* Label21 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QLabel* Label29 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QPlainTextEdit* Memo6 = nullptr;
    QPlainTextEdit* Memo7 = nullptr;
    QPlainTextEdit* Memo8 = nullptr;
    QPlainTextEdit* Memo9 = nullptr;
    QPushButton* Button4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
};

}  // namespace velunar::ui

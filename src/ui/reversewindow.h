#pragma once
// The reverse lookup window "穴位反推功能": for one point and a range of dates, when each doctrine opens it.
// The search is a ReverseJob over the main window's reference snapshot; the window only shows what the job
// hands out, a batch per timer slice, so it and the main window stay live however long the range. The
// report on the page "全部" is built when the search ends, and can be saved as GBK text.
#include <functional>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "calendar/datetime.h"
#include "methods/doctrine.h"

class QComboBox;
class QDateEdit;
class QFileDialog;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace velunar {
class ReverseJob;
}

namespace velunar::store {
class Database;
}

namespace velunar::ui {

// The caption of a doctrine's page: the name the user sees on its tab.
QString PageCaption(DoctrineId doctrine);

class ReverseLookupWindow : public QWidget {
    Q_OBJECT
  public:
    // The main window's reference date-time, asked once for each picker when the window is shown.
    using ReferenceTimeFn = std::function<DateTime()>;
    // The reference snapshot, asked at the start of each search (null when it could not be loaded).
    using TablesFn = std::function<std::shared_ptr<const ReferenceTables>()>;
    // The save dialog: returns the chosen path, or "" when the user cancels. proposedName is the name the
    // dialog offers (the point box's text).
    using ChooseFileHook = std::function<QString(QFileDialog& dialog, const QString& proposedName)>;
    enum class Message { Saved, Error };
    using MessageHook = std::function<void(Message kind, const QString& text)>;

    // db: the main window's connection, for the point list only.
    ReverseLookupWindow(store::Database& db, TablesFn tables, ReferenceTimeFn referenceTime,
                        QWidget* parent = nullptr);
    ~ReverseLookupWindow() override;

    void setChooseFileHook(ChooseFileHook hook) { chooseFile_ = std::move(hook); }
    void setMessageHook(MessageHook hook) { message_ = std::move(hook); }

    // True from onSearch until the report is built.
    bool isSearching() const { return phase_ != Phase::Idle; }
    QPlainTextEdit* memoFor(DoctrineId doctrine) const;
    QPlainTextEdit* reportMemo() const { return reportMemo_; }

  public slots:
    // Resets the window as a new showing does: the point list, the default range, empty memos.
    void resetForShowing();
    // Starts the search of the point box's text over the two pickers' dates; returns at once.
    void onSearch();
    // Saves the report memo through the save dialog.
    void onSave();
    // Stops a running search; what was found stays and the report says the search was stopped.
    void onStop();

  signals:
    // Every line found is in its memo (the search completed, was stopped or failed); the report follows.
    void scansEnded();
    // The search has ended (completed, stopped or failed) and the report is in the report memo.
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
    QList<QPlainTextEdit*> allMemos() const;
    void onBatchTimer();
    bool appendSearchLines(const QElapsedTimer& slice);
    void startReport();
    bool appendReport(const QElapsedTimer& slice);
    void finishRun();
    void abortRun();
    QString endNote() const;
    void updateProgress();

    store::Database& db_;
    TablesFn tables_;
    ReferenceTimeFn referenceTime_;
    ChooseFileHook chooseFile_;
    MessageHook message_;
    bool placed_ = false;

    std::unique_ptr<ReverseJob> job_;
    Phase phase_ = Phase::Idle;
    QStringList reportChunks_;
    qsizetype reportDone_ = 0;
    QTimer* batchTimer_ = nullptr;

    QComboBox* pointBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QDateEdit* fromDate_ = nullptr;
    QDateEdit* toDate_ = nullptr;
    QTabWidget* doctrinePages_ = nullptr;
    QPlainTextEdit* reportMemo_ = nullptr;
    // One memo per doctrine, indexed by DoctrineId.
    std::vector<QPlainTextEdit*> doctrineMemos_;
    QPushButton* saveButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
};

}  // namespace velunar::ui

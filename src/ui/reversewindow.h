#pragma once
// The reverse lookup window "穴位反推功能": for one point and a range of dates, when each doctrine opens it.
// The search is a ReverseJob over the main window's reference snapshot. Its openings are kept compact
// (ui/openingmodels.h) and shown through item views: the report page "全部" and one sortable page per
// doctrine, filled as the job hands batches out, so a range of a thousand years shows in about a second
// and the window stays live meanwhile. The report can be saved as GBK text, the openings as a calendar.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include "calendar/datetime.h"
#include "calendar/tick.h"
#include "methods/doctrine.h"
#include "ui/openingmodels.h"

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFileDialog;
class QLabel;

class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace velunar {
class ReverseJob;
}

namespace velunar::store {
class Database;
}

namespace velunar::ui {

class PointFinder;

// The caption of a doctrine's page: the name the user sees on its tab.
QString PageCaption(DoctrineId doctrine);

class ReverseLookupWindow : public QWidget {
    Q_OBJECT
  public:
    // The main window's reference date-time, asked once for each picker when the window is shown.
    using ReferenceTimeFn = std::function<DateTime()>;
    // The reference snapshot, asked at the start of each search (null when it could not be loaded).
    using TablesFn = std::function<std::shared_ptr<const ReferenceTables>()>;
    // The user's place and time mode: the settings of the main window's page in front. Asked when a search
    // starts, when 显示钟表时间 is ticked and when a calendar is exported.
    using PlaceFn = std::function<TickInput()>;
    // A save dialog (the report's or the calendar's): returns the chosen path, or "" when the user cancels.
    // proposedName is the name the dialog offers (the point box's text).
    using ChooseFileHook = std::function<QString(QFileDialog& dialog, const QString& proposedName)>;
    enum class Message { Saved, Error };
    using MessageHook = std::function<void(Message kind, const QString& text)>;

    // db: the main window's connection, for the point list and the check of the point typed.
    ReverseLookupWindow(store::Database& db, TablesFn tables, ReferenceTimeFn referenceTime,
                        QWidget* parent = nullptr);
    ~ReverseLookupWindow() override;

    void setPlaceSource(PlaceFn place) { place_ = std::move(place); }
    // How the lines write the sixth stem (the settings' choice); 已 when unset.
    void setSpellingSource(std::function<SixthStem()> spelling) { spelling_ = std::move(spelling); }
    void setChooseFileHook(ChooseFileHook hook) { chooseFile_ = std::move(hook); }
    void setMessageHook(MessageHook hook) { message_ = std::move(hook); }

    // True from onSearch until every opening is in the views.
    bool isSearching() const { return job_ != nullptr; }
    DoctrineOpeningsModel* modelFor(DoctrineId doctrine) const;
    ReportModel* reportModel() const { return reportModel_; }
    QTableView* viewFor(DoctrineId doctrine) const;
    QTableView* reportView() const { return reportView_; }
    // The report as the saved file has it, one string per line (UTF-8).
    std::vector<std::string> reportLines() const;
    // The results shown no longer belong to the point and range in the boxes (edited since the search).
    bool resultsOutOfDate() const { return stale_; }

  public slots:
    // Resets the window as a new showing does: the point list, the default range, no results.
    void resetForShowing();
    // Starts the search of the point box's text over the two pickers' dates; returns at once. A point the
    // program does not know is not searched: the status line says so.
    void onSearch();
    // Saves the report through the save dialog.
    void onSave();
    // Saves every opening found as an event of a calendar file, in the clock time of the user's place.
    void onExportCalendar();
    // Stops a running search; what was found stays and the report says the search was stopped.
    void onStop();
    // Puts the keyboard in the point box, its text selected, ready for the next point.
    void focusPointBox();

  signals:
    // Every opening found is in the views (the search completed, was stopped or failed).
    void scansEnded();
    // The search has ended and the report is complete, with its closing note if any.
    void searchFinished();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    QWidget* buildPointPicker();
    QWidget* buildResultPages();
    static void renewRowHeader(QTableView* view, int rowHeight, bool shown);
    static void renewRowHeader(QTableView* view);
    void addCopyAction(QAbstractItemView* view);
    void copySelection(QAbstractItemView* view) const;
    void placeOnScreen();
    void showMessage(Message kind, const QString& text);
    void setStatus(const QString& text, bool fault);
    void setRunning(bool running);
    void clearResults(std::optional<TickInput> place);
    // The user's place for the clock spans, or nothing (after a note in the status line) when the time
    // step cannot work it out.
    std::optional<TickInput> clockPlace();
    void onClockToggled(bool on);
    // Marks the results out of date, or current again, as the boxes differ from what was searched.
    void updateOutOfDate();
    void onJobReady();
    bool takeBatches();
    bool showRows();
    void finishRun();
    void abortRun();
    QString endNote() const;
    void updateProgress();
    QString chooseFile(QFileDialog*& dialog, const QString& title, const QString& filter,
                       const QString& suffix);

    store::Database& db_;
    TablesFn tables_;
    ReferenceTimeFn referenceTime_;
    PlaceFn place_;
    std::function<SixthStem()> spelling_;
    ChooseFileHook chooseFile_;
    MessageHook message_;

    std::unique_ptr<ReverseJob> job_;
    std::shared_ptr<std::atomic<bool>> wakePending_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<OpeningStore> store_;
    ReportModel* reportModel_ = nullptr;
    std::vector<DoctrineOpeningsModel*> doctrineModels_;  // by DoctrineId
    bool exporting_ = false;
    bool exportCancelled_ = false;
    QTimer* batchTimer_ = nullptr;
    QElapsedTimer sinceShown_;  // since the views last took new rows
    bool jobEnded_ = false;     // the job has ended and every batch is in the store
    bool rowsBehind_ = false;   // the views were given all they could take at the last turn
    // What the results shown were found for; the exports are named after it and refused once the boxes
    // no longer say the same.
    struct Searched {
        QString point;
        QDate from, to;
    };
    std::optional<Searched> searched_;
    bool stale_ = false;

    PointFinder* pointBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QDateEdit* fromDate_ = nullptr;
    QDateEdit* toDate_ = nullptr;
    QCheckBox* clockBox_ = nullptr;
    // 避开人神: openings on a 人神 taboo are left out of this search, and counted.
    QCheckBox* avoidBox_ = nullptr;
    std::optional<TabooOptions> avoid_;
    std::int64_t leftOut_ = 0;
    QLabel* statusLine_ = nullptr;
    QTabWidget* doctrinePages_ = nullptr;
    QTableView* reportView_ = nullptr;
    std::vector<QTableView*> doctrineViews_;  // by DoctrineId
    QPushButton* saveButton_ = nullptr;
    QPushButton* calendarButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
    QFileDialog* calendarDialog_ = nullptr;
};

}  // namespace velunar::ui

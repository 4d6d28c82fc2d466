#pragma once
// The main window: the time pages, the settings pages, one page per doctrine and the description area. It is
// a thin view over the core: once a second it gathers its inputs into a TickInput, runs the pipeline and
// renders the TickView it gets back; rendering writes widgets and reads nothing back. What carries from tick
// to tick lives in TickMemory and ViewState, not in any widget.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include "methods/pipeline.h"
#include "store/database.h"
#include "store/datapaths.h"
#include "store/reference_snapshot.h"
#include "store/settings.h"
#include "ui/secondary.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace velunar {
class NoticePlayer;
}

namespace velunar::ui {

class ContentFit;
class DerivationWindow;
class DesktopNotifier;
class DialWidget;
class FinishedEntry;
class SettingsCheckBox;
class UpDownArrows;
class WindowPlacement;
class ZoneChoices;
class TabooChoices;

// Every message box of the window goes through one hook, so tests never block on a modal box.
enum class MessageKind {
    Message,  // a plain notice (longitude message, disclaimer, no picture)
    Error,    // an error report (a failed tick, a failed file)
};
using MessageHook = std::function<void(MessageKind kind, const QString& text)>;
// A Yes/No question; true for Yes.
using ConfirmHook = std::function<bool(const QString& text)>;

// The mode shown and used while the stored one names none (said once when the settings are loaded).
inline constexpr TimeMode kUnreadableTimeModeFallback = TimeMode::NoNightRat;

// The note behind "重要说明！！！" on the settings page.
const QString& BeijingNoteText();

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Opens the database of `paths` and reads its reference tables (throws store::StoreError with a message
    // ready to show), then starts the tick. The settings are opened when the window is first shown.
    explicit MainWindow(const store::DataPaths& paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the other windows share with the main window.
    store::Database& database() { return db_; }
    store::SettingsRecord& settingsRecord() { return settings_; }
    const store::DataPaths& dataPaths() const { return paths_; }
    std::shared_ptr<const ReferenceTables> referenceTables() const { return tables_; }
    // What the last tick showed.
    const TickView& lastView() const { return view_; }
    // The picture path of the point last described, for the picture button.
    std::string currentPicturePath() const { return view_.picturePath; }
    SecondaryWindows& secondaryWindows() { return secondary_; }
    void setSecondaryWindows(const SecondaryWindows& windows) { secondary_ = windows; }

    void setMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    void setConfirmHook(ConfirmHook hook) { confirmHook_ = std::move(hook); }
    // The wall clock read in automatic mode (tests put one that jumps); the system clock when unset.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setNoticePlayer(std::unique_ptr<NoticePlayer> player);
    NoticePlayer* noticePlayer() const { return player_.get(); }
    // Where the double-hour notice goes besides the window's banner; none by default.
    void setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier);
    // The double-hour notices given so far, for the tests and the banner's tool tip.
    int noticesGiven() const { return noticesGiven_; }

    // Switches to a chosen moment (是否自动计算 off) at the reading `t` of the page's clock; `offsetSeconds`
    // names which time of a reading the clock shows twice (none: the later, as the clock would).
    void setChosenTime(DateTime t, std::optional<int> offsetSeconds = std::nullopt);
    // The reading of a moment: the clock, or the chosen date and time.
    DateTime referenceTime() const;
    // What the tick takes: the instant itself when the clock is a tz-database zone's, else the reading (and
    // the pass chosen).
    ClockReference reference() const;
    ClockReference referenceFor(const TickInput& in) const;
    // The place and switches of the page in front, as the next tick takes them (the clock spans of the
    // reverse lookup are worked out for it).
    TickInput placeInput() const { return gatherInput(); }
    // The place and switches of the page in front, as the next tick reads them.
    TickInput tickInput() const { return gatherInput(); }
    // How the sixth stem is written, as the settings say.
    SixthStem spelling() const;
    // A place picked from the place list: where and then the longitude, as if typed.
    void pickPlace(const QString& longitude, const QString& where);
    // Started without the lock file beside the database (ui/singleinstance.h), for `reason`: said once when
    // the window is first shown. With `readOnly` nothing can be written there: the settings are used as the
    // user changes them and marked as not saved, but never written.
    void runWithoutLock(const QString& lockFile, const QString& reason, bool readOnly);

    // The text of the last tick's failure ("" when the last tick completed).
    QString tickErrorText() const {
        return view_.error.empty() ? QString() : QString::fromStdString(view_.error);
    }

    // "为什么？": the derivation of a doctrine page's result at the moment shown (none: of every page).
    void showDerivation(std::optional<DoctrineId> page);

  public slots:
    // One tick: inputs → pipeline → render. Nothing in it waits for the user.
    void tick();
    void showSupplementaryPage();
    void toggleDescription();
    void showPicture();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the window itself must remember between ticks: which row of each point list the user stands on.
    struct ViewState {
        std::map<DoctrineId, std::vector<std::string>> lists;  // the points each list shows
        std::map<DoctrineId, int> selectedRow;
    };

    // mainwindow_layout.cpp
    void buildLayout();
    QWidget* buildTimePages();
    QWidget* buildSettingsPages();
    QWidget* buildMethodPages();
    QWidget* buildNoticeBanner();
    QWidget* buildDescriptionArea();
    void buildMenu();

    // mainwindow_settings.cpp
    void connectSettings();
    void loadSettings();
    void setPending(std::string_view column, const QString& value);
    void onLongitudeEdited();
    void storeEntry(std::string_view column, const QString& text);
    void onLongitudeStepped(bool up);
    void storeSettingsOnExit(bool closing = false);
    // The one way the settings reach the database. A refused write leaves the values pending (the tick uses
    // them), marks them as not saved, says the cause once, and is tried again while the database is locked.
    void postSettings();
    void settingsNotSaved(const QString& cause, const QString& message);
    void settingsSaved();
    // While a save waits for another program's lock, which the window has said.
    bool lockTold() const { return normalBusyTimeoutMs_ >= 0; }

    // mainwindow_tick.cpp
    TickInput gatherInput() const;
    FocusedText focusedText() const;
    void render(const TickView& v);
    void renderFinding(const Doctrine& d, const Finding& f);
    void renderList(DoctrineId id, const Finding& f);
    void reportTickError(const QString& what);
    // The pass box and the note beside the pickers, for the chosen reading (mainwindow_settings.cpp).
    void renderChosenReading(const TickView& v);
    void giveNotice(const QString& text);
    void sayNoticeSoundFailed(const QString& text);
    // Starts the timer so the next tick comes just after the clock's next whole second.
    void scheduleTick();

    void onFirstShow();
    // Lays the window out for the room the screen gives: where it is short, only the pages in front ask for
    // room and the pages draw closer; the dial, where it would be too small below the time pages, takes
    // their place (a line keeps the clock in view); the description stands beside the dial, not under it.
    void arrangeForRoom();
    void setTight(bool tight);
    // Where the window first opens: as large as its pages ask, centred at the top of the screen.
    void placeFirstTime();
    // The size kept for the next start, which opens with the description area closed.
    QSize keptSize() const;
    void showMessage(MessageKind kind, const QString& text);
    bool confirm(const QString& text);
    void showHelpFile(std::string_view name);
    void showBeijingNote();
    void openClockSettings();
    QDateTime wallClock() const;
    bool chinaInFront() const;

    store::DataPaths paths_;
    store::Database db_;
    store::SettingsRecord settings_;
    std::shared_ptr<const ReferenceTables> tables_;
    std::unique_ptr<store::DatabaseDescriptions> descriptions_;
    std::unique_ptr<NoticePlayer> player_;
    std::unique_ptr<DesktopNotifier> notifier_;
    TickMemory memory_;
    TickView view_;
    ViewState state_;
    SecondaryWindows secondary_;
    MessageHook messageHook_;
    ConfirmHook confirmHook_;
    std::function<QDateTime()> clock_;
    bool automatic_ = true;  // 是否自动计算: the clock, not the chosen moment
    QDateTime chosen_;       // the chosen date and time, as civil fields
    std::optional<int> chosenOffset_;  // which time of a reading shown twice; none: the later
    bool shownOnce_ = false;
    bool loadingSettings_ = false;
    std::set<QString> reportedErrors_;
    QString unlockedNotice_;         // said at the first showing
    bool settingsReadOnly_ = false;  // nothing is written: see runWithoutLock
    std::set<QString> saidSaveFailures_;
    QTimer* saveRetry_ = nullptr;
    int normalBusyTimeoutMs_ = -1;  // the connection's wait, while lowered to none (see postSettings)
    QLabel* unsavedNote_ = nullptr;
    std::set<QString> reportedSoundErrors_;
    // What the last tick read, so that a notice is given only for the clock's own change: a picked moment, a
    // step on the dial or a changed setting moves the double-hour as the user asked and is no news.
    std::optional<std::string> lastClockKey_;
    int noticesGiven_ = 0;

    QTimer* tickTimer_ = nullptr;
    QTabWidget* timePages_ = nullptr;
    QWidget* chinaPage_ = nullptr;
    QWidget* abroadPage_ = nullptr;
    QLineEdit* chinaTimeBox_ = nullptr;
    QLineEdit* abroadTimeBox_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QTimeEdit* timePicker_ = nullptr;
    QWidget* chosenTimeRow_ = nullptr;  // the two pickers, moved to the page in front
    QComboBox* passBox_ = nullptr;      // which time of a reading the clock shows twice
    QLabel* pickNote_ = nullptr;        // a reading the clock skips, and what it is taken as
    QLineEdit* longitudeBox_ = nullptr;
    // The hints beside the longitude, summer-time and abroad longitude boxes while their text is no value.
    QLabel* longitudeHint_ = nullptr;
    QLabel* summerHint_ = nullptr;
    QLabel* abroadLongitudeHint_ = nullptr;
    UpDownArrows* longitudeArrows_ = nullptr;
    QToolButton* placePickerButton_ = nullptr;
    std::vector<QWidget*> correction_;  // what only the corrected time shows
    QLabel* chinaTrueSolarLabel_ = nullptr;
    QLabel* chinaSpanLabel_ = nullptr;
    QLabel* abroadSpanLabel_ = nullptr;
    QLineEdit* hourBranchBox_ = nullptr;
    QLineEdit* summerBox_ = nullptr;
    QComboBox* eastWestBox_ = nullptr;
    QLineEdit* abroadLongitudeBox_ = nullptr;
    QComboBox* zoneBox_ = nullptr;
    QLabel* abroadBeijingLabel_ = nullptr;
    QLabel* abroadTrueSolarLabel_ = nullptr;
    SettingsCheckBox* onlyBeijingBox_ = nullptr;
    QCheckBox* automaticBox_ = nullptr;
    QButtonGroup* timeModeButtons_ = nullptr;
    QTabWidget* methodPages_ = nullptr;
    QTabWidget* settingsPages_ = nullptr;
    DialWidget* dial_ = nullptr;
    QWidget* topRow_ = nullptr;         // the time and settings pages
    QLabel* compactClock_ = nullptr;    // the clock on one line while the dial stands in their place
    QVBoxLayout* column_ = nullptr;     // the window's rows
    QHBoxLayout* middleRow_ = nullptr;  // the method pages, and the description beside the dial
    std::optional<int> fullHeight_;     // the client area's height laid out with room to spare
    bool tight_ = false;
    bool dialAlone_ = false;
    bool arranging_ = false;
    std::map<DoctrineId, QWidget*> pages_;
    // Each doctrine's boxes and their captions by cell name.
    std::map<std::pair<DoctrineId, std::string>, QLineEdit*> boxes_;
    std::map<std::pair<DoctrineId, std::string>, QLabel*> captions_;
    std::map<DoctrineId, QLabel*> listMeridians_;
    std::map<DoctrineId, QTableWidget*> lists_;
    QPushButton* supplementaryButton_ = nullptr;
    QLineEdit* dayGanZhiBox_ = nullptr;
    QLineEdit* hourGanZhiBox_ = nullptr;
    SettingsCheckBox* noticeBox_ = nullptr;
    QLabel* tickStatus_ = nullptr;
    QWidget* noticeBanner_ = nullptr;  // the last double-hour notice, until dismissed
    QLabel* noticeText_ = nullptr;
    QLabel* noticeSoundNote_ = nullptr;  // a notice sound that could not be played, said once
    QPushButton* descriptionToggle_ = nullptr;
    QWidget* descriptionArea_ = nullptr;
    QLabel* descriptionHeading_ = nullptr;  // the point described: "公孙 · SP4"
    QPlainTextEdit* descriptionMemo_ = nullptr;
    ZoneChoices* zoneChoices_ = nullptr;  // mainwindow_abroad.cpp
    TabooChoices* taboo_ = nullptr;       // taboo_choices.cpp
    ContentFit* contentFit_ = nullptr;
    WindowPlacement* placement_ = nullptr;
    DerivationWindow* derivationWindow_ = nullptr;  // made when first asked for
};

}  // namespace velunar::ui

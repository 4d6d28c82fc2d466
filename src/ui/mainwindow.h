#pragma once
// Form1, the main window: the time pages, the eight method pages, the settings pages and the
// description area, refreshed once a second by Timer1Timer. Every control carries its form name as
// its objectName and every handler its form name, so tests and the other windows find them by name.
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include "calendar/datetime.h"
#include "calendar/moment.h"
#include "methods/reference_tables.h"
#include "store/database.h"
#include "store/datapaths.h"
#include "store/settings.h"
#include "ui/secondary.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QTimeEdit;
class QTimer;
class QToolButton;

namespace velunar {
class DayHourMethods;
class MethodTables;
class PointDescriptionStep;
struct FocusedText;
}  // namespace velunar

namespace velunar::ui {

class NoticePlayer;
class SettingsCheckBox;
class UpDownArrows;

// Every message box of the window goes through one hook, so tests never block on a modal box.
enum class MessageKind {
    Message,  // a plain notice (longitude message, disclaimer, no picture)
    Notice,   // the double-hour change notice, shown inside a tick
    Error,    // an error report (a failed tick step, a failed file)
};
using MessageHook = std::function<void(MessageKind kind, const QString& text)>;
// A Yes/No question; true for Yes.
using ConfirmHook = std::function<bool(const QString& text)>;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Opens the database of `paths` (throws store::StoreError with a message ready to show) and starts
    // Timer1. The settings are opened by FormShow, when the window is first shown.
    explicit MainWindow(const store::DataPaths& paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the other windows share with the main window.
    store::Database& database() { return db_; }
    // The reference snapshot the tick reads, shared read-only with the reverse lookup (null until loaded).
    std::shared_ptr<const ReferenceTables> referenceTables() const;
    store::SettingsRecord& settingsRecord() { return settings_; }
    const store::DataPaths& dataPaths() const { return paths_; }
    const Moment& moment() const { return moment_; }
    // The picture path of the point last described, for the picture button.
    std::string currentPicturePath() const;
    SecondaryWindows& secondaryWindows() { return secondary_; }
    void setSecondaryWindows(const SecondaryWindows& windows) { secondary_ = windows; }

    void setMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    void setConfirmHook(ConfirmHook hook) { confirmHook_ = std::move(hook); }
    // The wall clock read in automatic mode (tests put one that jumps); the system clock when unset.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setNoticePlayer(std::unique_ptr<NoticePlayer> player);
    NoticePlayer* noticePlayer() const { return player_.get(); }

    // Switches to chosen-time mode at `t` (screenshots, demonstrations): CheckBox2 unchecked and both
    // pickers set to the date and time of `t`.
    void setChosenTime(DateTime t);

    // The reference date-time of a moment: the clock, or the chosen date and time of the pickers. Also
    // places the time box and the pickers on the time page in front.
    Q_INVOKABLE double ReferenceTime();

    // The text of the last tick error ("" when the last tick completed).
    QString tickErrorText() const;

  public slots:
    void FormShow();
    void FormClose();

    // The tick and its steps, in the order Timer1Timer runs them.
    void Timer1Timer();
    void Timer5Timer();
    void Timer5000Timer();
    void Timer3Timer();
    void HourStemStep();
    void Timer4Timer();
    void Timer7Timer();
    void Timer10Timer();
    void Timer9Timer();
    void Timer888way2Timer();
    void Timer8Timer();
    void shaoyongTimer();
    void FeiTengTimer();

    void CheckBox2Click();
    void CheckBox1Exit();
    void DBRadioGroup1Change();
    void edit3Change();
    void UpDown1ChangingEx(bool up);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void XUEWEIMANAGEClick();
    void SpeedButton1Click();
    void btnpicClick();

    void mnexitClick();
    void mntabsheet1Click();
    void mntabsheet2Click();
    void mntabsheet3Click();
    void mntabsheet5Click();
    void mntabsheet6Click();
    void mntabsheet7Click();
    void mntabsheet8Click();
    void mnxueweiManageClick();
    void mnDongJingClick();
    void mntimeClick();
    void mntruetimeClick();
    void mntimemodeClick();
    void mnaboutClick();
    void mnMSGClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // mainwindow_layout.cpp
    void buildLayout();
    void buildTimePages(QWidget* central);
    void buildChinaPage();
    void buildAbroadPage();
    void buildSettingsPages(QWidget* central);
    void buildMethodPages(QWidget* central);
    void buildNaGanPage();
    void buildNaZhiPage();
    void buildLingGuiPage();
    void buildFeiTengPage();
    void buildSupplementaryPage();
    void buildDayStemPage();
    void buildHourStemPage();
    void buildNaZhi2Page();
    void buildBottom(QWidget* central);
    void buildDescriptionArea(QWidget* central);
    void buildHiddenControls(QWidget* central);
    void buildMenu();
    void setOuterHeight(int height);

    // mainwindow_settings.cpp
    void connectSettingsControls();
    void loadSettingsIntoControls();
    void setPending(std::string_view column, const QString& value);
    void showCheckState(SettingsCheckBox* box, store::CheckState state);

    // mainwindow_tick.cpp
    void runTick();
    void clearStepOutputs(const char* step);
    void clearMethodOutputs();
    void reportTickError(const QString& what);
    void playChangeNotice(const QString& text);
    void applyNaGanVisibility(bool source, bool extraSource, bool closed);
    FocusedText focusedText() const;
    bool onlyBeijing() const;
    bool isChinaPageInFront() const;
    void showPage(int index);
    void showMessage(MessageKind kind, const QString& text);
    bool confirm(const QString& text);
    void showHelpFile(std::string_view name);

    store::DataPaths paths_;
    store::Database db_;
    store::SettingsRecord settings_;
    std::unique_ptr<MethodTables> tables_;
    std::unique_ptr<DayHourMethods> dayHour_;
    std::unique_ptr<PointDescriptionStep> description_;
    std::unique_ptr<NoticePlayer> player_;
    Moment moment_;
    SecondaryWindows secondary_;
    MessageHook messageHook_;
    ConfirmHook confirmHook_;
    std::function<QDateTime()> clock_;
    QDateTime wallClock() const;
    bool shownOnce_ = false;
    bool loadingSettings_ = false;
    QString tickError_;
    std::set<QString> reportedErrors_;
    std::set<QString> reportedSoundErrors_;

    QTimer* Timer1 = nullptr;

    // Time pages.
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet9 = nullptr;
    QWidget* TabSheet10 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edit3 = nullptr;
    UpDownArrows* UpDown1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LBTrueTime = nullptr;
    QLineEdit* Edit4 = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QTimeEdit* DateTimePicker2 = nullptr;
    QLabel* Label52 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label53 = nullptr;
    QLineEdit* DBEdit29 = nullptr;
    QComboBox* DBComboBox1 = nullptr;
    QLineEdit* DBEdit30 = nullptr;
    QLabel* Label54 = nullptr;
    QComboBox* DBComboBox2 = nullptr;
    QLabel* Label55 = nullptr;
    QLabel* Label56 = nullptr;
    QLabel* Label57 = nullptr;
    QLabel* Label58 = nullptr;

    // Settings pages.
    QTabWidget* PageControl3 = nullptr;
    QWidget* TabSheet11 = nullptr;
    QWidget* TabSheet12 = nullptr;
    QPushButton* Button4 = nullptr;
    SettingsCheckBox* DBCheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QGroupBox* DBRadioGroup1 = nullptr;
    QButtonGroup* radioItems_ = nullptr;

    // Method pages.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet5 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet6 = nullptr;
    QWidget* TabSheet7 = nullptr;
    QWidget* TabSheet8 = nullptr;
    // 纳干法
    QLineEdit* DBEdit9 = nullptr;
    QLineEdit* DBEdit10 = nullptr;
    QLineEdit* DBEdit11 = nullptr;
    QLineEdit* DBEdit12 = nullptr;
    QLineEdit* DBEdit13 = nullptr;
    QLineEdit* DBEdit14 = nullptr;
    QLineEdit* DBEdit15 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label22 = nullptr;
    QPushButton* Button1 = nullptr;
    // 纳支法
    QLineEdit* DBEdit1 = nullptr;
    QLineEdit* DBEdit2 = nullptr;
    QLineEdit* DBEdit3 = nullptr;
    QLineEdit* DBEdit4 = nullptr;
    QLineEdit* DBEdit5 = nullptr;
    QLineEdit* DBEdit6 = nullptr;
    // 灵龟八法
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QPushButton* Button3 = nullptr;
    // 飞腾八法
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    // 补穴法
    QLineEdit* DBEdit16 = nullptr;
    QLineEdit* DBEdit17 = nullptr;
    QLineEdit* DBEdit18 = nullptr;
    QLineEdit* DBEdit19 = nullptr;
    QLineEdit* DBEdit20 = nullptr;
    // 日干法
    QLabel* Label44 = nullptr;
    QTableWidget* DBGrid1 = nullptr;
    // 时干法
    QLineEdit* DBEdit22 = nullptr;
    QLineEdit* DBEdit23 = nullptr;
    QLineEdit* DBEdit24 = nullptr;
    QLineEdit* DBEdit25 = nullptr;
    QLineEdit* DBEdit26 = nullptr;
    QLineEdit* DBEdit27 = nullptr;
    QLineEdit* DBEdit28 = nullptr;
    QLabel* Label40 = nullptr;
    // 纳支法2
    QLabel* Label47 = nullptr;
    QTableWidget* DBGrid2 = nullptr;

    // Below the method pages, and the description area.
    SettingsCheckBox* CheckBox1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* TickStatus = nullptr;
    QWidget* descriptionArea_ = nullptr;
    QLabel* Label29 = nullptr;
    QPlainTextEdit* DBMemo1 = nullptr;
    QPushButton* btnpic = nullptr;
    QPushButton* XUEWEIMANAGE = nullptr;
    QLineEdit* DBEdit21 = nullptr;
    QPlainTextEdit* bjok = nullptr;
};

}  // namespace velunar::ui

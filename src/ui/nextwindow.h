#pragma once
// 下次开穴: the next openings of the chosen plan within the clinic's hours, from the moment the main window
// shows (the clock, or the chosen moment), kept up to date while it is open; and the week's openings of the
// plan as a calendar file.
#include <functional>
#include <memory>

#include <QWidget>

#include "calendar/solar.h"
#include "calendar/tick.h"
#include "methods/reference_tables.h"
#include "ui/secondary.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QTimer;

namespace velunar::store {
class Database;
}

namespace velunar::ui {

class NextWindow : public QWidget {
    Q_OBJECT
  public:
    using TablesSource = std::function<std::shared_ptr<const ReferenceTables>()>;
    using PlaceSource = std::function<TickInput()>;
    using ReferenceSource = std::function<ClockReference()>;
    static constexpr int kRows = 20;
    static constexpr int kRefreshMs = 30'000;

    NextWindow(store::Database& db, TablesSource tables, PlaceSource place, ReferenceSource reference,
               QWidget* parent = nullptr);
    ~NextWindow() override;

    void setWarningHook(WarningHook hook) { warn_ = std::move(hook); }
    // Where the calendar file goes instead of asking (tests; an empty name cancels).
    void setCalendarPathHook(std::function<QString()> hook) { calendarPath_ = std::move(hook); }

  public slots:
    // Reads the plans, the hours and the moment again and lists the openings.
    void refresh();
    void exportWeek();

  signals:
    // The user chose another plan here.
    void planningChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The openings listed again in the new language.
    void changeEvent(QEvent* event) override;

  private:
    void choosePlan(int index);

    store::Database& db_;
    TablesSource tables_;
    PlaceSource place_;
    ReferenceSource reference_;
    WarningHook warn_;
    std::function<QString()> calendarPath_;
    QComboBox* planBox_ = nullptr;
    QLabel* note_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTimer* timer_ = nullptr;
    bool filling_ = false;
};

}  // namespace velunar::ui

#pragma once
// The 开穴表 window: a day, week or month of double-hours against what each doctrine opens, with each
// double-hour's span on the clock of the main window's place. A click on a row puts the main window on the
// first clock second of that double-hour; the same sheet prints (with a preview) and exports as PDF.
#include <functional>
#include <memory>
#include <optional>

#include <QDate>
#include <QWidget>

#include "print/schedule_pages.h"
#include "ui/schedulemodel.h"
#include "ui/secondary.h"

class QPrinter;

class QCheckBox;
namespace Ui {
class ScheduleWindow;
}

namespace velunar::ui {

class ScheduleModel;

class ScheduleWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Length { Day, Week, Month };
    using TablesSource = std::function<std::shared_ptr<const ReferenceTables>()>;
    using PlaceSource = std::function<TickInput()>;       // the place and switches of the page in front
    using DateSource = std::function<DateTime()>;         // the main window's reference time
    // A clock second chosen: its reading and the clock's offset then.
    using MomentHandler = std::function<void(DateTime, int)>;

    ScheduleWindow(TablesSource tables, PlaceSource place, DateSource date, MomentHandler choose,
                   QWidget* parent = nullptr);
    ~ScheduleWindow() override;

    void setWarningHook(WarningHook hook) { warn_ = std::move(hook); }
    // The chosen treatment plan's marks for the dates firstDay..lastDay on the clock of `place` (none when
    // the grid has no clock spans); read at every refresh.
    using PlanMarksSource = std::function<SchedulePlanMarks(std::int64_t firstDay, std::int64_t lastDay,
                                                            const std::optional<TickInput>& place)>;
    void setPlanMarksSource(PlanMarksSource source) { marks_ = std::move(source); }
    // Where the PDF goes instead of asking (tests set one; an empty name cancels).
    void setPdfPathHook(std::function<QString()> hook) { pdfPath_ = std::move(hook); }

    void setRange(QDate date, Length length);
    // The range and place the grid shows now.
    const print::SheetRange& range() const { return range_; }
    ScheduleModel* model() const { return model_; }

  public slots:
    // Reads the place again and fills the grid.
    void refresh();
    void printSheet();
    void exportPdf();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void choose(int row);
    void step(int direction);
    void paint(QPrinter* printer);

    TablesSource tables_;
    PlaceSource place_;
    DateSource date_;
    MomentHandler choose_;
    WarningHook warn_;
    PlanMarksSource marks_;
    std::function<QString()> pdfPath_;
    print::SheetRange range_;
    QCheckBox* avoidBox_ = nullptr;
    std::shared_ptr<const ReferenceTables> shown_;
    bool dated_ = false;
    ScheduleModel* model_ = nullptr;
    std::unique_ptr<::Ui::ScheduleWindow> ui_;
};

}  // namespace velunar::ui

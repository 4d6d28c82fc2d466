#pragma once
// 管理 → 治疗方案: the user's treatment plans (a name, points, perhaps only some doctrines) on one page, the
// clinic's weekly hours, days off and the reminder on the other. What is saved goes to the database at once
// and every planning view is told.
#include <functional>
#include <memory>

#include <QWidget>

#include "methods/reference_tables.h"
#include "store/planning.h"
#include "ui/secondary.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace velunar::store {
class Database;
}

namespace velunar::ui {

class PointFinder;

class PlanWindow : public QWidget {
    Q_OBJECT
  public:
    using TablesSource = std::function<std::shared_ptr<const ReferenceTables>()>;
    enum class Page { Plans, Clinic };

    PlanWindow(store::Database& db, TablesSource tables, QWidget* parent = nullptr);
    ~PlanWindow() override;

    void showPage(Page page);
    // Reads the plans and the clinic settings again into the boxes.
    void reload();

  public slots:
    void newPlan();
    void addPoint();
    void removePoint();
    void savePlan();
    void removePlan();
    void saveClinic();

  signals:
    // A plan or the clinic settings were saved.
    void planningChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    // The doctrines' and points' names in the new language (the other texts are said again by the
    // application).
    void changeEvent(QEvent* event) override;

  private:
    QWidget* buildPlansPage();
    QWidget* buildClinicPage();
    void showPlan(int row);
    void say(QLabel* where, const QString& text, bool fault);
    // The plan's points are kept by name (the item's data) and shown as the language writes them.
    static QString pointShown(const QString& name);
    void addPointItem(const QString& name);
    store::TreatmentPlan planInBoxes() const;

    store::Database& db_;
    TablesSource tables_;
    std::vector<store::TreatmentPlan> plans_;
    QString shownName_;  // the kept plan the boxes show; empty for a new one

    QTabWidget* pages_ = nullptr;
    QListWidget* planList_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    PointFinder* pointBox_ = nullptr;
    QListWidget* points_ = nullptr;
    QCheckBox* allDoctrines_ = nullptr;
    std::vector<std::pair<DoctrineId, QCheckBox*>> doctrineBoxes_;
    QLabel* planStatus_ = nullptr;

    std::array<QLineEdit*, 7> hoursBoxes_{};
    QDateEdit* dayOffEdit_ = nullptr;
    QListWidget* daysOff_ = nullptr;
    QCheckBox* reminderBox_ = nullptr;
    QSpinBox* minutesBox_ = nullptr;
    QComboBox* chosenPlan_ = nullptr;
    QLabel* clinicStatus_ = nullptr;
};

// Shows the window (a PlanWindow) at that page.
void ShowPlanPage(QWidget* window, PlanWindow::Page page);

}  // namespace velunar::ui

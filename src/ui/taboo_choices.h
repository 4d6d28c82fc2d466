#pragma once
// The lunar date, the moon and the 人神 on the main window: the line under each time page, the choices on the
// common settings page (show the taboo lines, which reading, the patient's age), and the warning on a method
// page whose opened point lies where the 人神 dwells. The switch and the reading are stored through the
// window's own settings path; the age never is.
#include <functional>
#include <map>
#include <string_view>

#include <QObject>
#include <QString>

#include "calendar/tick.h"
#include "methods/pipeline.h"
#include "store/settings.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QSpinBox;
class QVBoxLayout;

namespace velunar::ui {

class TabooChoices : public QObject {
    Q_OBJECT
  public:
    using Store = std::function<void(std::string_view column, const QString& value)>;
    TabooChoices(QObject* parent, Store store);

    // The lunar line, as the last row of a time page.
    void AddLineTo(QGridLayout* page, const QString& name);
    // Under `widthOf`, the line broken to its width.
    void AddLineTo(QBoxLayout* column, const QString& name, const QWidget* widthOf);
    void AddToSettingsPage(QVBoxLayout* common);
    // The warning line of a method page, under its boxes.
    void AddWarningTo(QGridLayout* page, DoctrineId id, const QString& name);

    void Load(const store::SettingsRecord& settings);
    void Complete(TickInput& in) const;
    void Show(const TickView& view);

  private:
    Store store_;
    bool loading_ = false;
    std::vector<QLabel*> lines_;
    const QWidget* widthOf_ = nullptr;
    std::map<DoctrineId, QLabel*> warnings_;
    QCheckBox* shownBox_ = nullptr;
    QComboBox* readingBox_ = nullptr;
    QSpinBox* ageBox_ = nullptr;
};

}  // namespace velunar::ui

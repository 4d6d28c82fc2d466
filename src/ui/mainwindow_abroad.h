#pragma once
#include <cstdint>
#include <optional>
// The main window's clock checks and choices from the tz database: the abroad page's automatic zone (its
// summer time derived, not typed), the equation-of-time choice, and the one-line hints of both time pages.
// It reads and writes the settings record through the window's own pending-value path.
#include <functional>
#include <string>
#include <string_view>

#include <QObject>
#include <QString>

#include "calendar/tick.h"
#include "store/settings.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace velunar::ui {

class ZoneChoices : public QObject {
    Q_OBJECT
  public:
    using SetPending = std::function<void(std::string_view column, const QString& value)>;
    using Say = std::function<void(const QString& text)>;

    ZoneChoices(QObject* parent, SetPending setPending, Say say);

    // Adds the automatic-zone row and the hint line under the abroad page's rows, the hint line to the China
    // page, and the equation-of-time choice to the common settings page. While the automatic zone is in
    // force, the page's fixed-zone box shows that zone and takes no input; its stored text comes back after.
    void AddToAbroadPage(QGridLayout* abroad, QLineEdit* summerBox, QComboBox* zoneBox);
    void AddToChinaPage(QGridLayout* china);
    // 天干写法 on 设置常用, China's summer time beside 仅仅使用北京时间, the equation of time on `other`.
    void AddToSettingsPage(QVBoxLayout* common, QHBoxLayout* beijingRow, QVBoxLayout* other);

    // Shows the stored choices; a stored zone nobody knows is said once, and keeps its old behaviour.
    void Load(const store::SettingsRecord& settings);
    // Completes a tick's inputs from the stored choices for the reference reading (the clocks of the days
    // around it), and shows the hints. `clockInstant` is the instant of a live reading of the machine clock;
    // none for a picked moment.
    // `chosenOffset` is the pass chosen for a picked reading the clock shows twice.
    void Complete(TickInput& in, const store::SettingsRecord& settings, DateTime reading,
                  std::optional<Instant> clockInstant, std::optional<int> chosenOffset = std::nullopt);

  private:
    SetPending setPending_;
    Say say_;
    bool loading_ = false;
    QString saidUnknown_;
    void showZoneInForce(const TickInput& in, const store::SettingsRecord& settings,
                         const std::optional<ZoneOffset>& offset, bool inForce);
    QCheckBox* automaticZone_ = nullptr;
    QComboBox* tzBox_ = nullptr;
    QComboBox* eotBox_ = nullptr;
    QComboBox* stemBox_ = nullptr;
    QCheckBox* chinaSummerBox_ = nullptr;
    QLineEdit* summerBox_ = nullptr;
    QComboBox* zoneBox_ = nullptr;
    bool zoneShownInForce_ = false;
    QLabel* abroadHint_ = nullptr;
    QLabel* chinaHint_ = nullptr;
};

}  // namespace velunar::ui

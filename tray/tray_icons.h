#pragma once
#include <array>
#include <functional>
#include <string>

#include "tray/tray_text.h"
#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/tray_icon.h"
#include "ui/model/window.h"

namespace kvx::tray {

// Where the tray's controls go. The mode radio buttons (RadioButton18, 19) and
// the show and swap boxes (CheckBox23, 25, 66; CheckBox80, 81, 82) are already
// on `trayPanel`; the tray takes over their handlers.
struct TrayPlaces {
    ui::Control* trayPanel = nullptr;     // "System Tray"
    ui::Control* visualPanel = nullptr;   // "Visual Settings": lines, degree, styles
    ui::Control* tooltipPanel = nullptr;  // "Tooltip"
};

// What the tray reads from the rest of the window.
struct TraySources {
    std::function<std::string(int sensor)> temperatureText;  // the gauge's centre label
    std::function<std::string(int sensor)> sensorName;       // the name field
    std::function<std::string(int fan)> fanText;             // RPM or "not available"
    std::function<bool(int sensor)> sensorOn;                // its source is not "None"
    std::function<bool()> polling;
};

// The four icons in the notification area and the settings that drive them:
// TrayIcon1, TrayIcon2 and TrayIcon4 show sensors 1, 2 and 3; TrayIcon3 shows
// the chip, the suspend picture, or in swap mode each swapped sensor in turn
// (Timer2).
class TrayIcons {
public:
    static constexpr int kMinSwapMs = 1000;
    static constexpr int kMaxSwapMs = 10000;
    static constexpr int kSwapStepMs = 1000;
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 12;

    TrayIcons(ui::Window& form, ui::Timer& timer2, TrayPlaces places, TraySources sources);

    // The double-click action of all four icons.
    ui::Handler onDoubleClick;

    // Redraws the sensor icons and sets the tooltips.
    void CreateIcon();
    // Sensor and fan items chosen for the tooltip, "name: value " each.
    std::string CreateToolTip() const;
    // TrayIcon3 shows exactly when no sensor icon is chosen.
    void CheckTrayIcons();
    // One swap step.
    void Timer2Timer();
    // The mode handlers, as a click on the radio button runs them.
    void RadioButton18Click();
    void RadioButton19Click();

    // Start-up: the chip picture; the sensor icons the settings choose.
    void createIconBitmap();
    void showTrayIcons();
    // Suspend mode hides the sensor icons behind the suspend picture.
    void suspendChanged(bool suspended);

    // A renamed sensor or fan: the captions that show its name.
    void setSensorName(int sensor, const std::string& name);
    void setFanName(int fan, const std::string& name);

    const TrayStyle& style(int sensor) const { return styles_[sensor - 1]; }
    void setStyle(int sensor, const TrayStyle& style);
    // The icon of sensor 1..3 (TrayIcon1, TrayIcon2, TrayIcon4) and the IC icon (TrayIcon3).
    ui::TrayIcon& sensorIcon(int sensor) { return *sensorIcons_[sensor - 1]; }
    ui::TrayIcon& chipIcon() { return chipIcon_; }
    // All four, TrayIcon1..TrayIcon4.
    std::array<ui::TrayIcon*, 4> icons() { return {sensorIcons_[0], sensorIcons_[1], &chipIcon_, sensorIcons_[2]}; }
    int swapPosition() const { return swapPosition_; }

private:
    bool showMode() const { return showMode_.checked(); }
    bool swapMode() const { return swapMode_.checked(); }
    bool polling() const { return sources_.polling && sources_.polling(); }
    bool sensorOn(int sensor) const { return sources_.sensorOn && sources_.sensorOn(sensor); }
    void createIfPolling() {
        if (polling()) CreateIcon();
    }
    void showBoxClicked(int sensor);
    void swapBoxClicked();
    void buildOptions(ui::Window& form, const TrayPlaces& places);
    void buildTooltipOptions(ui::Window& form, ui::Control* panel);
    void buildStyleControls(ui::Window& form, ui::Control* panel);
    void loadStyleControls();
    void editStyle(const std::function<void(TrayStyle&)>& change);
    void stepSwapInterval(int ms);
    void updateSwapIntervalLabel();

    ui::Timer& timer2_;
    TraySources sources_;
    std::array<ui::TrayIcon*, 3> sensorIcons_{};
    ui::TrayIcon& chipIcon_;
    ui::RadioButton& showMode_;
    ui::RadioButton& swapMode_;
    std::array<ui::CheckBox*, 3> showBoxes_{};
    std::array<ui::CheckBox*, 3> swapBoxes_{};
    ui::CheckBox* lines_ = nullptr;
    ui::CheckBox* trayDegree_ = nullptr;
    std::array<ui::CheckBox*, 6> tooltipItems_{};  // sensors 1-3, fans 1-3
    ui::RadioButton* tooltipsOnIcOnly_ = nullptr;
    ui::RadioButton* tooltipsOnAll_ = nullptr;
    ui::SpinButton* swapIntervalSpin_ = nullptr;
    ui::Label* swapIntervalLabel_ = nullptr;
    ui::ComboBox* styleSelector_ = nullptr;
    ui::ComboBox* fontList_ = nullptr;
    ui::ComboBox* fontColourList_ = nullptr;
    ui::TrackBar* fontSizeSlider_ = nullptr;
    ui::ComboBox* backgroundList_ = nullptr;
    bool loadingStyle_ = false;
    std::array<TrayStyle, 3> styles_{};
    int swapPosition_ = 0;
};

}  // namespace kvx::tray

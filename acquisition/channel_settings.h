#pragma once
#include <array>
#include <functional>
#include <string>

#include "acquisition/channels.h"
#include "acquisition/conversions.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// Where the controls of the reading settings go on the main window.
struct ChannelSettingsPlaces {
    ui::Control* sourcePanel = nullptr;       // the sensor source lists
    ui::Control* compensationPage = nullptr;  // the three compensation boxes
    ui::Control* roundFahrenheitPanel = nullptr;
    ui::Control* coreSettingsPanel = nullptr;  // core port and nominal
    ui::Control* p33Panel = nullptr;           // the +3.3 nominal
    ui::Control* fanSettingsPanel = nullptr;   // fan types and divisors
};

// The settings that turn raw readings into what the window shows: the
// sensors' sources and compensation, the unit, Round °F, the core port, the
// core and +3.3 nominal voltages, fan types and divisors; with their controls.
class ChannelSettings {
public:
    // What the settings ask of the rest of the program.
    struct Hooks {
        std::function<void()> pollNow;
        // A sensor's source became a chip (n = 1..3), or None.
        std::function<void(int)> sensorSwitchedOn;
        std::function<void(int)> sensorSwitchedOff;
        std::function<void(int fan, int divisor)> setFanDivisor;
        std::function<void()> resetStatistics;
        std::function<void(const TemperatureTextRules&)> unitSwitched;
        std::function<void()> roundFahrenheitChanged;
        // The +3.3 rail's new name ("+3.3 Voltage").
        std::function<void(const std::string&)> p33NameChanged;
    };

    static constexpr int kMinOffset = -20;
    static constexpr int kMaxOffset = 50;

    ChannelSettings(ui::Window& form, const ChannelSettingsPlaces& places, NumberFormat number);

    Hooks hooks;

    // Reading the settings.
    TTemperatureSource source(int sensor) const { return static_cast<TTemperatureSource>(sources_[sensor - 1]); }
    // The list's own choice: -1 when the stored source is not in the list (an LM75 without SMBus).
    int listedSource(int sensor) const { return sourceLists_[sensor - 1]->itemIndex(); }
    bool inUse(int sensor) const { return inUse_[sensor - 1]; }
    bool compensationOn(int sensor) const { return compensationBoxes_[sensor - 1]->checked(); }
    int compensationOffset(int sensor) const { return offsets_[sensor - 1]; }
    const TemperatureTextRules& textRules() const { return rules_; }
    bool corePort1() const { return port1_.checked(); }
    double coreNominal() const { return coreNominal_; }
    double p33Nominal() const { return p33Nominal_; }
    int fanType(int fan) const { return fanTypes_[fan - 1]; }
    int fanDivisor(int fan) const { return fanDivisors_[fan - 1]; }

    // The window's degree string: "°" or empty.
    void setDegree(std::string degree);
    // Stored values applied at start.
    void setCompensationOffset(int sensor, int offset);
    void setCoreNominal(double volts);
    void setP33Nominal(double volts);
    // The stored source, kept until start-up puts it into the list.
    void setStoredSource(int sensor, int index) { sources_[sensor - 1] = index; }
    // Puts the stored source into the list and runs the list's handler.
    void restoreSource(int sensor, int index);

    // CheckSMB: without an SMBus the LM75 entries leave all three lists.
    void CheckSMB(uint16_t smbusBase);

    // Handlers.
    void SensorComboBoxChange(int sensor);
    void CompensationUpClick(int sensor);
    void CompensationDownClick(int sensor);
    void SpeedButton2Click();
    void CheckBox1Click();
    void SpinButton6UpClick();
    void SpinButton6DownClick();
    void SpinButton25UpClick();
    void SpinButton25DownClick();
    void FanTypeClick(int fan, int type);
    void FanDivisorClick(int fan, int divisor);

    // "Core Voltage: " + nominal with 1 decimal + "Volt".
    std::string coreNominalText() const;
    // "+" + the +3.3 nominal in general format + " Voltage".
    std::string p33NameText() const;

    ui::Button& unitButton() { return unitButton_; }

private:
    void pollNow() {
        if (hooks.pollNow) hooks.pollNow();
    }
    void updateCompensationCaption(int sensor);

    NumberFormat number_;
    TemperatureTextRules rules_;
    std::array<int, kSensorCount> sources_{4, 0, 0};
    std::array<bool, kSensorCount> inUse_{true, false, false};
    std::array<int, kSensorCount> offsets_{};
    std::array<ui::ComboBox*, kSensorCount> sourceLists_{};
    std::array<ui::CheckBox*, kSensorCount> compensationBoxes_{};
    double coreNominal_ = 2.8;
    double p33Nominal_ = 3.3;
    std::array<int, kFanCount> fanTypes_{1, 1, 1};
    std::array<int, 2> fanDivisors_{2, 2};

    ui::Button& unitButton_;
    ui::CheckBox& roundFahrenheit_;
    ui::RadioButton& port0_;
    ui::RadioButton& port1_;
    ui::Label& coreNominalLabel_;
};

}  // namespace kvx::acquisition

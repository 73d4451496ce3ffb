#include "acquisition/reading_display.h"

#include <string>

namespace kvx::acquisition {
namespace {

struct RailDesign {
    Rail rail;
    const char* box;
    const char* caption;
    const char* label;
};

// Top to bottom as the group shows them: core, +3.3, +5, -5, +12, -12.
constexpr RailDesign kRails[kRailCount] = {
    {Rail::Core, "VMCoreVoltageCheckBox", "Core Voltage", "Label10"},
    {Rail::P33, "VMP33VoltageCheckBox", "+3.3 Voltage", "Label9"},
    {Rail::P5, "VMP5VoltageCheckBox", "+5 Voltage", "Label5"},
    {Rail::N5, "VMN5VoltageCheckBox", "-5 Voltage", "Label6"},
    {Rail::P12, "VMP12VoltageCheckBox", "+12 Voltage", "Label7"},
    {Rail::N12, "VMN12VoltageCheckBox", "-12 Voltage", "Label8"},
};

}  // namespace

ReadingDisplay::ReadingDisplay(ui::Window& form, ui::Control* parent)
    : voltageGroup_(form.add<ui::Group>(parent, "VMGroupbox")), fanGroup_(form.add<ui::Group>(parent, "FMGroupBox")) {
    voltageGroup_.setCaption("Voltage Monitor");
    voltageGroup_.setBounds({112, 0, 169, 169});
    for (int i = 0; i < kRailCount; ++i) {
        const RailDesign& d = kRails[i];
        int top = 18 + 24 * i;
        auto& box = form.add<ui::CheckBox>(&voltageGroup_, d.box);
        box.setCaption(d.caption);
        box.setCheckedSilently(true);
        box.setBounds({8, top, 96, 17});
        auto& label = form.add<ui::Label>(&voltageGroup_, d.label);
        // Until the first poll reads the rail.
        label.setCaption(":0");
        label.setBounds({108, top + 2, 56, 13});
        monitorBoxes_[static_cast<int>(d.rail)] = &box;
        railLabels_[static_cast<int>(d.rail)] = &label;
    }

    fanGroup_.setCaption("Fan Speed /RPM");
    fanGroup_.setBounds({112, 172, 169, 84});
    for (int f = 0; f < kFanCount; ++f) {
        std::string fan = std::to_string(f + 1);
        auto& name = form.add<ui::Label>(&fanGroup_, "FMFan" + fan + "NameLabel");
        name.setCaption("Fan " + fan);
        name.setBounds({8, 18 + 20 * f, 60, 13});
        auto& speed = form.add<ui::Label>(&fanGroup_, "FMFan" + fan + "RPMLabel");
        speed.setCaption("0");
        speed.setBounds({76, 18 + 20 * f, 84, 13});
        fanNames_[f] = &name;
        fanLabels_[f] = &speed;
    }
}

}  // namespace kvx::acquisition

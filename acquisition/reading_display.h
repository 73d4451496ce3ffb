#pragma once
#include <array>

#include "acquisition/channels.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace kvx::acquisition {

// The main window's "Voltage Monitor" and "Fan Speed /RPM" groups: each rail's
// monitor check box and value label, each fan's name and speed label.
class ReadingDisplay {
public:
    ReadingDisplay(ui::Window& form, ui::Control* parent);

    ui::Label& railLabel(Rail rail) { return *railLabels_[static_cast<int>(rail)]; }
    ui::CheckBox& monitorBox(Rail rail) { return *monitorBoxes_[static_cast<int>(rail)]; }
    ui::Label& fanLabel(int fan) { return *fanLabels_[fan - 1]; }
    ui::Label& fanNameLabel(int fan) { return *fanNames_[fan - 1]; }
    ui::Group& voltageGroup() { return voltageGroup_; }
    ui::Group& fanGroup() { return fanGroup_; }

private:
    ui::Group& voltageGroup_;
    ui::Group& fanGroup_;
    std::array<ui::Label*, kRailCount> railLabels_{};
    std::array<ui::CheckBox*, kRailCount> monitorBoxes_{};
    std::array<ui::Label*, kFanCount> fanLabels_{};
    std::array<ui::Label*, kFanCount> fanNames_{};
};

}  // namespace kvx::acquisition

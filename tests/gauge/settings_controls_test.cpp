// Every control that the settings table names is built on the main window, in
// view on a page or panel, inside its parent and clear of its neighbours.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <set>
#include <string>

#include "acquisition/sensor_library.h"
#include "platform/fake/virtual_scheduler.h"
#include "settings/settings_table.h"
#include "ui/main_window/main_window.h"

using namespace kvx;

namespace {

// The control names that the table's descriptions mention ("CheckBox15",
// "GenTabLoopWavesCheckBox", "Label21", ...).
std::set<std::string> controlNamesInTable() {
    static const std::regex name(
        R"(\b([A-Z][A-Za-z0-9]*)?(CheckBox|ComboBox|Edit|RadioButton|SpinButton|SpeedButton|TrackBar|Label|ColorBox)[0-9]*\b)");
    std::set<std::string> names;
    for (const settings::SettingRow& row : settings::settingRows()) {
        std::string text(row.description);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator(); ++it)
            names.insert(it->str());
    }
    return names;
}

bool isContainer(const ui::Control* control) {
    const ui::ControlKind kind = control->kind();
    return kind == ui::ControlKind::Page || kind == ui::ControlKind::Panel || kind == ui::ControlKind::Group;
}

bool inside(const ui::Bounds& b, const ui::Bounds& area) {
    return b.left >= 0 && b.top >= 0 && b.left + b.width <= area.width && b.top + b.height <= area.height;
}

bool overlap(const ui::Bounds& a, const ui::Bounds& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// A control drawn inside a group's frame, beside it rather than in it, is meant to be there.
bool framed(const ui::Control& group, const ui::Control& inner) {
    const ui::Bounds& g = group.bounds();
    const ui::Bounds& c = inner.bounds();
    return group.kind() == ui::ControlKind::Group && c.left >= g.left && c.top >= g.top &&
           c.left + c.width <= g.left + g.width && c.top + c.height <= g.top + g.height;
}

}  // namespace

// Guards against a setting whose control was never placed (it would round-trip
// unseen, on no page, or at 0 x 0), a control reaching past the edge of its
// panel or group, and controls laid over one another (as "Round °F" once sat
// under the tray font list).
TEST(SettingsControls, EveryControlIsPlacedInsideItsPanelAndClearOfItsNeighbours) {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    auto library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};
    const ui::Window& form = main.form();

    const std::set<std::string> names = controlNamesInTable();
    ASSERT_GT(names.size(), 100u) << "the table's descriptions no longer name their controls";
    std::string missing;
    for (const std::string& name : names) {
        const ui::Control* control = form.find(name);
        if (!control) {
            missing += name + " ";
            continue;
        }
        const ui::Bounds& b = control->bounds();
        EXPECT_TRUE(b.width > 0 && b.height > 0 && b.left >= 0 && b.top >= 0) << name;
        const ui::Control* parent = control->parent();
        if (name == "SpeedButton2") {  // the temperature unit button sits beside the gauges
            EXPECT_EQ(parent, nullptr);
            continue;
        }
        ASSERT_NE(parent, nullptr) << name << " is placed on the window, not on a page or panel";
        EXPECT_TRUE(isContainer(parent)) << name << " on " << parent->name();
        EXPECT_TRUE(inside(b, parent->bounds())) << name << " on " << parent->name();
    }
    EXPECT_EQ(missing, "") << "not on the window";

    for (const ui::Control* control : form.controls()) {
        const ui::Control* parent = control->parent();
        if (parent && isContainer(parent) && parent->kind() != ui::ControlKind::Page) {
            EXPECT_TRUE(inside(control->bounds(), parent->bounds())) << control->name() << " on " << parent->name();
        }
        if (!isContainer(control)) continue;
        std::vector<ui::Control*> shown;
        for (ui::Control* child : form.childrenOf(control))
            if (child->visible() && child->kind() != ui::ControlKind::Panel) shown.push_back(child);
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(overlap(shown[i]->bounds(), shown[j]->bounds()) && !framed(*shown[i], *shown[j]) &&
                             !framed(*shown[j], *shown[i]))
                    << control->name() << ": " << shown[i]->name() << " and " << shown[j]->name();
    }
}

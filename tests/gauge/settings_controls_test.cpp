// Every control that the settings table names is built on the main window, in
// view on a page or panel, and inside its parent.
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

bool isContainer(ui::ControlKind kind) {
    return kind == ui::ControlKind::Page || kind == ui::ControlKind::Panel || kind == ui::ControlKind::Group;
}

}  // namespace

// Guards against a setting whose control was never placed: it would round-trip
// unseen, on no page, or sit at 0 x 0 where nobody can reach it.
TEST(SettingsControls, EveryControlTheTableNamesIsPlacedOnAPageOrPanel) {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    auto library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};
    const ui::Window& form = main.form();

    const std::set<std::string> names = controlNamesInTable();
    ASSERT_GT(names.size(), 100u) << "the table's descriptions no longer name their controls";
    // The temperature unit button sits on the window itself, beside the gauges.
    const std::set<std::string> onTheWindow = {"SpeedButton2"};
    std::vector<std::string> missing;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const ui::Control* control = form.find(name);
        if (!control) {
            missing.push_back(name);
            continue;
        }
        const ui::Bounds& b = control->bounds();
        EXPECT_GT(b.width, 0);
        EXPECT_GT(b.height, 0);
        EXPECT_GE(b.left, 0);
        EXPECT_GE(b.top, 0);
        const ui::Control* parent = control->parent();
        if (onTheWindow.count(name)) {
            EXPECT_EQ(parent, nullptr);
            continue;
        }
        ASSERT_NE(parent, nullptr) << "placed on the window, not on a page or panel";
        EXPECT_TRUE(isContainer(parent->kind())) << "parent " << parent->name();
        // Inside its parent's area, so that no part is cut off.
        EXPECT_LE(b.left + b.width, parent->bounds().width) << "parent " << parent->name();
        EXPECT_LE(b.top + b.height, parent->bounds().height) << "parent " << parent->name();
    }
    EXPECT_TRUE(missing.empty()) << [&] {
        std::string list;
        for (const auto& m : missing) list += m + " ";
        return "not on the window: " + list;
    }();
}

// Guards against controls laid over one another on a page, panel or group,
// where one hides the other's caption (as "Round °F" once sat under the tray font list).
TEST(SettingsControls, NoTwoControlsOnAPanelOverlap) {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    auto library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};
    const ui::Window& form = main.form();
    auto overlap = [](const ui::Bounds& a, const ui::Bounds& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    // A control drawn inside a group's frame, beside it rather than in it, is meant to be there.
    auto framed = [](const ui::Control& group, const ui::Control& inside) {
        const ui::Bounds& g = group.bounds();
        const ui::Bounds& c = inside.bounds();
        return group.kind() == ui::ControlKind::Group && c.left >= g.left && c.top >= g.top &&
               c.left + c.width <= g.left + g.width && c.top + c.height <= g.top + g.height;
    };
    for (const ui::Control* container : form.controls()) {
        if (!isContainer(container->kind())) continue;
        std::vector<ui::Control*> shown;
        for (ui::Control* child : form.childrenOf(container))
            if (child->visible() && child->kind() != ui::ControlKind::Panel) shown.push_back(child);
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(overlap(shown[i]->bounds(), shown[j]->bounds()) && !framed(*shown[i], *shown[j]) &&
                             !framed(*shown[j], *shown[i]))
                    << container->name() << ": " << shown[i]->name() << " and " << shown[j]->name();
    }
}

// Guards against a control reaching past the edge of its page, panel or group,
// where its frame or caption is cut off.
TEST(SettingsControls, EveryControlStaysInsideItsPanel) {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    auto library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};
    for (const ui::Control* control : main.form().controls()) {
        const ui::Control* parent = control->parent();
        if (!parent || !isContainer(parent->kind()) || parent->kind() == ui::ControlKind::Page) continue;
        const ui::Bounds& b = control->bounds();
        EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.left + b.width <= parent->bounds().width &&
                    b.top + b.height <= parent->bounds().height)
            << control->name() << " on " << parent->name();
    }
}

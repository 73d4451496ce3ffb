// The wiring of the main window: settings bound to the controls they feed.
#include <gtest/gtest.h>

#include <string>

#include "app/hook_providers.h"
#include "settings/settings_table.h"
#include "test_program.h"

using namespace kvx;
using test::TestProgram;

namespace {

// The control a setting's description names first ("CheckBox3 \"Enable Alarm\"..."), or "".
std::string namedControl(std::string_view description) {
    size_t end = description.find_first_of(" :,;(");
    return std::string(description.substr(0, end));
}

}  // namespace

// Guards against a setting whose control is on the window but that nothing binds:
// its stored value would be neither shown nor saved.
TEST(Wiring, EverySettingWhoseControlExistsIsBound) {
    TestProgram p;
    p.start();
    const ui::Window& form = p.main->form();
    int checked = 0;
    for (const auto& row : settings::settingRows()) {
        std::string control = namedControl(row.description);
        if (control.empty() || !form.find(control)) continue;
        ++checked;
        EXPECT_TRUE(p.app->settings().isBound(row.name)) << row.name << " feeds " << control << " but is not bound";
    }
    EXPECT_GT(checked, 0) << "no setting names a control of the window: the descriptions changed";
}

// Guards against a hook slot that nobody fills without anyone knowing: each slot
// is filled by a subsystem that exists, or is empty and waits for one not built yet.
TEST(Wiring, EveryHookSlotIsFilledByItsProviderOrWaitsForOneNotBuilt) {
    TestProgram p;
    p.start();
    std::string waiting;
    for (const app::HookSlot& slot : app::hookSlots(*p.app)) {
        if (app::isBuilt(slot.provider))
            EXPECT_TRUE(slot.filled) << slot.name << " is " << app::providerName(slot.provider) << "'s to fill";
        else
            EXPECT_FALSE(slot.filled) << slot.name << " is filled: its provider " << app::providerName(slot.provider)
                                      << " exists now, mark it built";
        if (!slot.filled)
            waiting += std::string(slot.name) + " (" + std::string(app::providerName(slot.provider)) + ")\n";
    }
    // The slots that do nothing yet, for whoever builds their subsystem.
    RecordProperty("not_yet_provided", waiting);
}

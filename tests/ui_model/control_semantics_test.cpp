// Toolkit semantics the program's handlers rely on.
#include <gtest/gtest.h>

#include "platform/fake/virtual_scheduler.h"
#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/window.h"
#include "ui/model/window_set.h"

using namespace kvx::ui;

// Guards against handlers that run on every assignment, or never when set from code.
TEST(CheckBox, SettingANewStateRunsTheClickHandlerOnce) {
    Window form("Form1");
    auto& box = form.add<CheckBox>(nullptr, "CheckBox1");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setChecked(false);  // no change
    EXPECT_EQ(clicks, 0);
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    box.click();  // a user's click toggles
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(clicks, 2);
    box.setCheckedSilently(true);
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(clicks, 2);
}

// Guards against a radio handler running when its button is cleared, and against groups leaking across windows.
TEST(RadioButton, HandlerRunsOnlyWhenChosenAndGroupsExclude) {
    Window form("Form1");
    Window other("Form2");
    auto& port0 = form.add<RadioButton>(nullptr, "RadioButton1", "ports");
    auto& port1 = form.add<RadioButton>(nullptr, "RadioButton2", "ports");
    auto& elsewhere = other.add<RadioButton>(nullptr, "RadioButton1", "ports");
    auto& fan = form.add<RadioButton>(nullptr, "RadioButton9", "fan1");
    int clicks0 = 0, clicks1 = 0;
    port0.onClick = [&] { ++clicks0; };
    port1.onClick = [&] { ++clicks1; };

    elsewhere.setChecked(true);
    fan.setChecked(true);
    port0.setChecked(true);
    EXPECT_EQ(clicks0, 1);
    port1.click();
    EXPECT_FALSE(port0.checked());
    EXPECT_TRUE(port1.checked());
    EXPECT_EQ(clicks0, 1) << "being cleared runs nothing";
    EXPECT_EQ(clicks1, 1);
    EXPECT_TRUE(elsewhere.checked()) << "another window's group is untouched";
    EXPECT_TRUE(fan.checked()) << "another group is untouched";

    port1.setChecked(false);  // setting the chosen one false leaves the group with no choice
    EXPECT_FALSE(port0.checked());
    EXPECT_FALSE(port1.checked());
    EXPECT_EQ(clicks0 + clicks1, 2);
    port1.click();
    EXPECT_EQ(clicks1, 2) << "choosing again after no choice runs the handler";
}

// Guards against OnChange semantics that differ between lists (user only) and edits/sliders (every change).
TEST(Lists, ChangeHandlersFollowTheToolkit) {
    Window form("Form1");
    auto& list = form.add<ComboBox>(nullptr, "ComboBox1");
    auto& edit = form.add<Edit>(nullptr, "Edit1");
    auto& slider = form.add<TrackBar>(nullptr, "TrackBar1");
    int listChanges = 0, editChanges = 0, sliderChanges = 0;
    list.onChange = [&] { ++listChanges; };
    edit.onChange = [&] { ++editChanges; };
    slider.onChange = [&] { ++sliderChanges; };

    list.setItems({"None", "WinBond 1", "WinBond 2"});
    list.setItemIndex(2);
    EXPECT_EQ(listChanges, 0) << "an index set from code runs nothing";
    EXPECT_EQ(list.text(), "WinBond 2");
    list.select(1);
    EXPECT_EQ(listChanges, 1);
    list.setItemIndex(7);
    EXPECT_EQ(list.itemIndex(), -1) << "an index past the list chooses nothing";
    EXPECT_EQ(list.text(), "");
    list.setItemIndex(1);
    list.setItems({"None"});
    EXPECT_EQ(list.itemIndex(), -1) << "a shortened list drops a choice it no longer has";

    edit.maxLength = 5;
    edit.setText("Sensor 1");  // code may set any length
    edit.type("Motherboard");  // a user is cut at the limit
    EXPECT_EQ(edit.text(), "Mothe");
    EXPECT_EQ(editChanges, 2);

    slider.minimum = 200;
    slider.maximum = 3000;
    slider.setPosition(5000);
    EXPECT_EQ(slider.position(), 3000);
    slider.setPosition(3000);
    EXPECT_EQ(sliderChanges, 1);
}

namespace {

class AnsweringHost : public ModalHost {
public:
    std::string press;
    int shown = 0;
    void showModal(Window& window) override {
        ++shown;
        for (Button* b : window.closingButtons())
            if (b->caption() == press) b->click();
    }
};

}  // namespace

// Guards against modal windows that stay open, or close without saying which button closed them.
TEST(Window, ModalShowingEndsWithTheButtonThatClosedIt) {
    Window dialog("Form7");
    auto& yes = dialog.add<Button>(nullptr, "Button1");
    auto& no = dialog.add<Button>(nullptr, "Button2");
    yes.setCaption("&Yes");
    no.setCaption("&No");
    yes.closesWindow = no.closesWindow = true;
    int closed = 0;
    dialog.onClose = [&] { ++closed; };
    AnsweringHost host;
    dialog.setModalHost(&host);

    host.press = "&No";
    dialog.showModal();
    EXPECT_EQ(dialog.modalResult(), "&No");
    EXPECT_FALSE(dialog.isModalShowing());
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(closed, 1);

    host.press = "nothing";  // a host that returns without an answer counts as the close box
    dialog.showModal();
    EXPECT_EQ(dialog.modalResult(), "");
    EXPECT_EQ(closed, 2);
}

// Guards against a timer that keeps its old rhythm after a change, ticks while disabled, or
// undoes its handler's own changes when it re-arms after it.
TEST(Timer, EnablingOrChangingTheIntervalStartsTheCountAfreshAndTheHandlerMayRetuneIt) {
    kvx::platform::fake::VirtualScheduler clock;
    Timer timer("Timer1", clock);
    std::vector<int64_t> ticks;
    timer.onTimer = [&] { ticks.push_back(clock.nowMs()); };
    timer.setInterval(10000);
    clock.wait(30000);
    EXPECT_TRUE(ticks.empty()) << "a timer is created stopped";
    timer.setEnabled(true);   // at 30000
    clock.wait(25000);        // ticks at 40000, 50000
    timer.setInterval(2000);  // at 55000: next at 57000
    clock.wait(5000);         // 57000, 59000
    timer.setEnabled(false);
    clock.wait(10000);
    EXPECT_EQ(ticks, (std::vector<int64_t>{40000, 50000, 57000, 59000}));

    ticks.clear();  // from 70000: every 500 ms, after the second tick every 1000 ms, stopped by the fourth
    timer.setInterval(500);
    timer.onTimer = [&] {
        ticks.push_back(clock.nowMs());
        if (ticks.size() == 2) timer.setInterval(1000);
        if (ticks.size() == 4) timer.setEnabled(false);
    };
    timer.setEnabled(true);
    clock.wait(10000);
    EXPECT_EQ(ticks, (std::vector<int64_t>{70500, 71000, 72000, 73000}));
    EXPECT_FALSE(timer.enabled());
}

// Guards against lookups by name that miss a control for its letter case or its window, and
// against wiring by name that silently skips a control which is missing or of another kind:
// require names the control in the error.
TEST(WindowSet, FindsControlsByQualifiedNameAndRequireNamesWhatIsMissing) {
    Window form("Form1");
    Window info("Form8");
    auto& label = form.add<Label>(nullptr, "Label10");
    auto& ok = info.add<Button>(nullptr, "OkButton");
    auto& box = form.add<CheckBox>(nullptr, "CheckBox1");
    WindowSet windows;
    windows.add(form);
    windows.add(info);
    EXPECT_EQ(windows.find("Form1.Label10"), &label);
    EXPECT_EQ(windows.find("label10"), &label) << "unqualified names mean the main window";
    EXPECT_EQ(windows.find("FORM8.okbutton"), &ok);
    EXPECT_EQ(windows.find("Form8"), &info);
    EXPECT_EQ(windows.find("OkButton"), nullptr) << "only the main window is searched unqualified";
    EXPECT_EQ(windows.find("Form9.Label10"), nullptr);
    EXPECT_EQ(label.qualifiedName(), "Form1.Label10");
    EXPECT_THROW(form.add<Label>(nullptr, "LABEL10"), std::logic_error);

    EXPECT_EQ(&form.require<CheckBox>("checkbox1"), &box) << "found in any letter case";
    for (auto [name, message] :
         {std::pair{"CheckBox2", "no control Form1.CheckBox2"},
          std::pair{"CheckBox1", "control Form1.CheckBox1 is not of the kind the program asks for"}}) {
        try {
            form.require<RadioButton>(name);
            ADD_FAILURE() << name << " did not throw";
        } catch (const std::logic_error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

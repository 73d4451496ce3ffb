// The main window's states, gauge layout, names and first page, on the models.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "acquisition/sensor_library.h"
#include "platform/fake/virtual_scheduler.h"
#include "ui/main_window/main_window.h"

using namespace kvx;
using ui::Bounds;

namespace {

struct MainWindowLayout : ::testing::Test {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    std::unique_ptr<acquisition::SensorLibrary> library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};

    ui::Window& form() { return main.form(); }
    const Bounds& bounds(const char* name) { return form().find(name)->bounds(); }
    // Sensors 1..3 on (a chip source) or off ("None").
    void sensorsOn(std::initializer_list<bool> on) {
        int sensor = 1;
        for (bool each : on) main.channels().restoreSource(sensor++, each ? 1 : 0);
    }
    void horizontal(bool on) { form().require<ui::CheckBox>("CheckBox15").setChecked(on); }
};

}  // namespace

// Guards against panels left in their old places or a compact size that cuts
// a gauge off or leaves room for a hidden one.
TEST_F(MainWindowLayout, ShownGaugesArePackedAndSetTheCompactSize) {
    struct Case {
        bool horizontal;
        std::initializer_list<bool> on;
        int width, height;
        int secondLeft, secondTop;  // where the second shown panel goes
    } cases[] = {
        {false, {true, true, true}, 112, 216, 0, 62},    {false, {true, false, true}, 112, 154, 0, 62},
        {false, {false, false, false}, 112, 70, -1, -1}, {true, {true, true, true}, 288, 86, 86, 0},
        {true, {false, true, true}, 202, 86, 86, 0},     {true, {false, false, false}, 86, 86, -1, -1},
    };
    for (const Case& c : cases) {
        horizontal(c.horizontal);
        sensorsOn(c.on);
        SCOPED_TRACE(testing::Message() << (c.horizontal ? "horizontal " : "vertical ") << c.width);
        EXPECT_EQ(main.compactWidth(), c.width);
        EXPECT_EQ(main.compactHeight(), c.height);
        std::vector<const Bounds*> shown;
        for (const char* panel : {"VUMeterWB1Panel", "VUMeterLM75Panel", "VUMeterWB2Panel"})
            if (form().find(panel)->visible()) shown.push_back(&bounds(panel));
        if (shown.size() >= 2) {
            EXPECT_EQ(shown[0]->left, 0);
            EXPECT_EQ(shown[0]->top, 0);
            EXPECT_EQ(shown[1]->left, c.secondLeft);
            EXPECT_EQ(shown[1]->top, c.secondTop);
        }
        const int buttonsLeft = c.horizontal ? 86 * static_cast<int>(shown.size()) + 2 : 88;
        EXPECT_EQ(bounds("SpeedButton3").left, buttonsLeft);
        EXPECT_EQ(bounds("SpeedButton3").top, 24);
        // The small window holds every shown panel.
        main.Show2Click();
        for (const Bounds* panel : shown) {
            EXPECT_LE(panel->left + panel->width, form().bounds().width);
            EXPECT_LE(panel->top + panel->height, form().bounds().height);
        }
    }
}

// Guards against the horizontal option drifting the window or its groups:
// ticking and unticking must return everything to its exact place.
TEST_F(MainWindowLayout, HorizontalGaugesReshapeTheFullWindowAndUntickingRestoresIt) {
    main.Show1Click();
    const Bounds voltages = bounds("VMGroupbox"), fans = bounds("FMGroupBox"), pages = bounds("PageControl1");
    horizontal(true);
    EXPECT_EQ(form().bounds().width, 468);
    EXPECT_EQ(form().bounds().height, 376);
    EXPECT_EQ(bounds("VMGroupbox").left, voltages.left - 108);
    EXPECT_EQ(bounds("VMGroupbox").top, voltages.top + 64);
    EXPECT_EQ(bounds("FMGroupBox").top, fans.top + 64);
    EXPECT_EQ(bounds("PageControl1").left, pages.left - 104);
    EXPECT_EQ(bounds("PageControl1").top, pages.top + 64);
    EXPECT_EQ(bounds("Label28").top, 4) << "the version label moves to the top right";
    EXPECT_EQ(bounds("Label28").left + bounds("Label28").width, 468 - 8);
    // The expand button still switches: the horizontal full width counts as expanded.
    main.SpeedButton3Click();
    EXPECT_EQ(form().require<ui::Button>("SpeedButton3").caption(), "4");
    main.SpeedButton3Click();
    EXPECT_EQ(form().bounds().width, 468);

    horizontal(false);
    EXPECT_EQ(form().bounds().width, 572);
    EXPECT_EQ(form().bounds().height, 314);
    EXPECT_EQ(bounds("VMGroupbox"), voltages);
    EXPECT_EQ(bounds("FMGroupBox"), fans);
    EXPECT_EQ(bounds("PageControl1"), pages);
}

// Guards against a shown window placed off-screen: the small window keeps its
// right and bottom edges on the screen, negative places become 0, and the tray's
// double click repeats the last Show (it once showed the parked window as it
// stood, off-screen to the left).
TEST_F(MainWindowLayout, ShowPlacesTheWindowOnTheScreenAndTheDoubleClickRepeatsIt) {
    main.setScreenSize(1024, 768);
    sensorsOn({true, true, true});
    struct Case {
        int formX, formY;
        int left, top;
    } cases[] = {{5000, 5000, 1024 - 112, 768 - 26 - 216}, {-40, -7, 0, 0}, {300, 200, 300, 200}};
    for (const Case& c : cases) {
        main.formX = c.formX;
        main.formY = c.formY;
        main.Show2Click();
        EXPECT_EQ(form().bounds(), (Bounds{c.left, c.top, 112, 216})) << c.formX << ", " << c.formY;
        EXPECT_TRUE(form().stayOnTop);
        main.Hide1Click();
        EXPECT_EQ(form().bounds().left, ui::MainWindow::kParkedLeft);
        EXPECT_FALSE(form().visible());
        EXPECT_EQ(main.formX, c.left) << "Hide saves where the window was";
    }

    main.Show1Click();  // Show & Expand: the next double click expands
    main.Hide1Click();
    main.trayDoubleClick();
    EXPECT_EQ(form().bounds(), (Bounds{300, 200, 572, 314}));
    EXPECT_FALSE(form().stayOnTop);
    EXPECT_EQ(form().require<ui::Button>("SpeedButton3").caption(), "3");
    main.SpeedButton3Click();  // the expand button goes small, and the double click follows
    main.Hide1Click();
    main.trayDoubleClick();
    EXPECT_EQ(form().bounds(), (Bounds{300, 200, 112, 216}));
    EXPECT_TRUE(form().visible());
}

namespace {

// Every text a control shows: captions, edit texts and list items.
struct TextsOf : ui::PropertySink {
    std::vector<std::string> texts;
    void text(const char* key, const std::string& value) override {
        if (std::string_view(key) != "hint") texts.push_back(value);
    }
    void boolean(const char*, bool) override {}
    void integer(const char*, int64_t) override {}
    void number(const char*, double) override {}
    void colour(const char*, ui::Colour) override {}
    void textList(const char*, const std::vector<std::string>& values) override {
        texts.insert(texts.end(), values.begin(), values.end());
    }
};

std::vector<std::string> textsOf(const ui::Control& control) {
    TextsOf sink;
    control.describe(sink);
    return sink.texts;
}

}  // namespace

// Guards against a caption that shows a sensor's or fan's name but is left out
// when the name is typed (no control may still show the old name), a selector
// left on the renamed item, and the RPM value left under a longer fan name.
TEST_F(MainWindowLayout, TypedNamesReachEveryCaptionAndTheSelectorsGoBack) {
    struct Case {
        const char* edit;
        const char* typed;
        std::vector<std::string> mustShowIt;  // controls named by the layout
    } cases[] = {
        {"Edit4",
         "Board",
         {"Label124", "UDTabWB1NameLabel", "ComboBox4", "CheckBox23", "CheckBox70", "CheckBox80", "CheckBox8",
          "ComboBox7", "ComboBox9", "GroupBox1", "GroupBox5", "GroupBox23"}},
        {"Edit5",
         "Processor",
         {"Label125", "UDTabLM75NameLabel", "ComboBox4", "CheckBox25", "CheckBox71", "CheckBox81", "CheckBox9",
          "ComboBox7", "ComboBox9", "GroupBox3", "GroupBox7", "GroupBox32"}},
        {"Edit6",
         "Water",
         {"Label126", "UDTabWB2NameLabel", "ComboBox4", "CheckBox66", "CheckBox72", "CheckBox82", "CheckBox10",
          "ComboBox7", "ComboBox9", "GroupBox27", "GroupBox28", "GroupBox31"}},
        {"Edit1", "Intake", {"FMFan1NameLabel", "UDTabFan1NameLabel", "ComboBox1", "GroupBox17", "CheckBox74"}},
        {"Edit2", "Exhaust fan", {"FMFan2NameLabel", "UDTabFan2NameLabel", "ComboBox1", "GroupBox18", "CheckBox75"}},
        {"Edit3", "Pump", {"FMFan3NameLabel", "UDTabFan3NameLabel", "ComboBox1", "GroupBox19", "CheckBox76"}},
    };
    auto& fans = form().require<ui::ComboBox>("ComboBox1");
    auto& alarms = form().require<ui::ComboBox>("ComboBox4");
    fans.select(2);
    alarms.select(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        auto& edit = form().require<ui::Edit>(c.edit);
        const std::string old = edit.text();
        ASSERT_FALSE(old.empty());
        edit.type(c.typed);
        const std::string shown = edit.text();
        const std::vector<std::string> stale = {old, old + " Compensation", old + " Alarm Settings",
                                                old + " Maximum Scale"};
        for (const ui::Control* control : form().controls()) {
            if (control == &edit) continue;
            for (const std::string& text : textsOf(*control))
                EXPECT_EQ(std::count(stale.begin(), stale.end(), text), 0)
                    << control->name() << " still shows \"" << text << "\"";
        }
        for (const std::string& name : c.mustShowIt) {
            const ui::Control* control = form().find(name);
            ASSERT_NE(control, nullptr) << name;
            const auto texts = textsOf(*control);
            EXPECT_TRUE(
                std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.rfind(shown, 0) == 0; }))
                << name << " does not show " << shown;
        }
    }
    EXPECT_EQ(fans.itemIndex(), 0) << "the Fan's selector goes back to Fan Settings";
    EXPECT_TRUE(form().find("Panel1")->visible());
    EXPECT_EQ(alarms.itemIndex(), 0);
    const std::string fan = form().require<ui::Edit>("Edit2").text();
    EXPECT_EQ(fan, "Exhaust f") << "at most 9 characters";
    EXPECT_EQ(form().require<ui::Label>("FMFan2NameLabel").caption(), fan);
    EXPECT_EQ(form().require<ui::Label>("UDTabFan2NameLabel").caption(), fan);
    EXPECT_EQ(fans.items()[2], fan);
    EXPECT_EQ(alarms.items()[1], "Processor");
    EXPECT_EQ(form().require<ui::Group>("GroupBox32").caption(), "Processor Compensation");
    const Bounds& name = bounds("FMFan2NameLabel");
    EXPECT_EQ(bounds("FMFan2RPMLabel").left, name.left + name.width + 10);
    EXPECT_EQ(name.width, main.measureText(fan));
    form().require<ui::Edit>("Edit4").type("");
    EXPECT_EQ(form().require<ui::Group>("GroupBox23").caption(), " Compensation");
}

// Guards against the "SHDN!" page (or any index outside the list) opening
// first, and against Show & Expand leaving the page, CPUIdle, tray style and
// launch way lists where the user left them, or an "Apply" still lit.
TEST_F(MainWindowLayout, ShowAndExpandResetsTheListsAndTabOnTopChoosesTheFirstPage) {
    auto& pages = form().require<ui::PageControl>("PageControl1");
    auto& list = form().require<ui::ComboBox>("GenTabTabOnTopComboBox");
    ASSERT_EQ(list.items().size(), 9u);
    list.select(7);
    EXPECT_EQ(main.tabOnTop(), 7);
    main.SetActiveTab(main.tabOnTop());
    EXPECT_EQ(pages.pages()[pages.activePageIndex()]->caption(), "Up/Down");
    for (int outside : {9, -1, 12}) {
        main.SetActiveTab(outside);
        EXPECT_EQ(pages.activePageIndex(), 7) << outside;
    }
    list.select(2);
    main.setTabOnTop(4);

    auto& idleList = form().require<ui::ComboBox>("ComboBox7");
    auto& styles = form().require<ui::ComboBox>("ComboBox9");
    auto& way = form().require<ui::ComboBox>("ComboBox3");
    auto& apply = form().require<ui::Button>("SpeedButton23");
    main.cpuIdle().setMonitoredSensor(2);
    main.shutdown().setWay(2);
    styles.select(1);
    idleList.setItemIndex(0);  // shown without the stored choice
    way.setItemIndex(0);
    apply.setEnabled(true);

    main.Show1Click();
    EXPECT_EQ(list.itemIndex(), 4) << "the stored Tab on Top";
    EXPECT_EQ(idleList.itemIndex(), 2);
    EXPECT_EQ(styles.itemIndex(), 0);
    EXPECT_FALSE(apply.enabled());
    ASSERT_EQ(way.items().size(), 3u) << "powering off stays a way of its own";
    EXPECT_EQ(way.itemIndex(), 2);
    // A second Show & Expand removes nothing either.
    main.Show1Click();
    EXPECT_EQ(way.items().size(), 3u);
    EXPECT_EQ(way.itemIndex(), 2);
}

// The tray icons on the desktop: drawn again only when what they show changed;
// without a notification area the program says so once and shows its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui_qt/qt_application.h"
#include "tray/tray_text.h"
#include "ui/qt/tray_icons_view.h"

using namespace kvx;
using kvx::ui::qt::TrayIconsView;

namespace {

struct Icons {
    ui::TrayIcon one{"TrayIcon1"}, two{"TrayIcon2"}, three{"TrayIcon3"}, four{"TrayIcon4"};
    std::array<ui::TrayIcon*, 4> all() { return {&one, &two, &three, &four}; }
};

}  // namespace

// Guards against redrawing every icon on every poll when nothing it shows changed.
TEST(TrayIconsView, RedrawsOnlyWhenTextOrStyleChanged) {
    kvx::test::qtApplication();
    Icons icons;
    TrayIconsView view(icons.all(), nullptr, {}, [] { return true; });
    int start = view.drawCount();
    tray::TrayStyle style;
    auto draw = [&](const std::string& label) {
        icons.one.setSensorDrawing(ui::TrayPicture::Sensor1, tray::sensorDrawing(label, true, true, style));
    };
    draw("35C");
    EXPECT_EQ(view.drawCount(), start + 1);
    draw("35C");
    icons.one.setTooltip("Sensor 1");
    icons.one.setActive(true);
    EXPECT_EQ(view.drawCount(), start + 1) << "same text, a tooltip and showing need no drawing";
    EXPECT_EQ(view.icon(0).toolTip(), "Sensor 1");
    draw("36C");
    EXPECT_EQ(view.drawCount(), start + 2);
    style.background = 0x0000FF;
    draw("36C");
    EXPECT_EQ(view.drawCount(), start + 3) << "a new background is a new drawing";
    // The swap copy draws TrayIcon3 once per change of what it shows.
    icons.three.copyFrom(icons.one);
    icons.three.copyFrom(icons.one);
    EXPECT_EQ(view.drawCount(), start + 4);
}

// Guards against a program that runs unseen on a desktop without a tray, and
// against icons that never appear when a tray starts later.
TEST(TrayIconsView, WithoutATrayTellsOnceShowsTheWindowAndTakesATrayThatComesLater) {
    kvx::test::qtApplication();
    Icons icons;
    icons.one.setActive(true);
    bool trayThere = false;
    bool windowHidden = true;
    int shown = 0;
    std::vector<std::string> told;
    TrayIconsView::Actions actions;
    actions.showSmallWindow = [&] { ++shown, windowHidden = false; };
    actions.windowHidden = [&] { return windowHidden; };
    actions.tell = [&](const std::string& line) { told.push_back(line); };
    TrayIconsView view(icons.all(), nullptr, actions, [&] { return trayThere; });

    view.checkTray();
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("no notification area"), std::string::npos) << told[0];
    EXPECT_FALSE(view.icon(0).isVisible());
    view.checkTray();
    EXPECT_EQ(told.size(), 1u) << "said once";

    trayThere = true;
    view.checkTray();
    EXPECT_TRUE(view.icon(0).isVisible()) << "the active icon goes to the new tray";
    EXPECT_FALSE(view.icon(1).isVisible()) << "an inactive one does not";
    EXPECT_EQ(told.size(), 2u);
    windowHidden = true;
    view.checkTray();
    EXPECT_EQ(shown, 1) << "with a tray a hidden window stays hidden";
}

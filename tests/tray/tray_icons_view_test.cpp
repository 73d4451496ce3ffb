// The tray icons on the desktop are drawn again only when what they show
// changed. A desktop without a notification area is met by a run of the real
// program on an X server. The context menu is made on the first right click.
#include <gtest/gtest.h>

#include <QMenu>

#include <string>

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

// Guards against a right click that finds no menu on some icon now that the
// menu is made on the first one.
TEST(TrayIconsView, TheFirstRightClickMakesTheMenuForEveryIconAndOpensIt) {
    kvx::test::qtApplication();
    Icons icons;
    QMenu menu;
    menu.addAction("Exit");
    int asked = 0;
    TrayIconsView view(
        icons.all(), [&]() -> QMenu* { return ++asked, &menu; }, {}, [] { return true; });
    EXPECT_EQ(asked, 0);
    emit view.icon(2).activated(QSystemTrayIcon::Context);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(view.icon(i).contextMenu(), &menu) << "icon " << i;
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    emit view.icon(0).activated(QSystemTrayIcon::Context);
    EXPECT_EQ(asked, 1) << "made once";
}

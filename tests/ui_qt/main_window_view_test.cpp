// The main window as a real Qt window: one widget per control, bound both ways.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "acquisition/sensor_library.h"
#include "platform/fake/virtual_scheduler.h"
#include "qt_application.h"
#include "ui/main_window/main_window.h"
#include "ui/qt/window_view.h"

using namespace kvx;

namespace {

struct MainWindowFixture : ::testing::Test {
    platform::fake::VirtualScheduler clock;
    std::unique_ptr<acquisition::SensorLibrary> library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow model{clock, *library, acquisition::NumberFormat{}};
    void SetUp() override { test::qtApplication(); }
};

}  // namespace

// Also renders the window to a PNG in the build folder for a person to look at.
TEST_F(MainWindowFixture, ModelChangesReachTheWidgetsAndClicksReachTheModel) {
    model.form().setVisible(true);
    ui::qt::WindowView view(model.form());
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.windowTitle(), "Korvex");
    auto* pages = view.findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->tabText(0), "General");
    auto* label = view.findChild<QLabel*>("GenTabIntervalLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), "Check at Intervals of 10 seconds");
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(572, 314));
    QDir().mkpath(QString(KVX_BUILD_DIR) + "/screenshots");
    EXPECT_TRUE(shot.save(QString(KVX_BUILD_DIR) + "/screenshots/main-window.png"));

    auto* up = view.findChild<QWidget*>("GenTabIntervalSpinButton")->findChild<QToolButton*>("up");
    ASSERT_NE(up, nullptr);
    up->click();
    EXPECT_EQ(model.poll().intervalMs(), 11000);
    EXPECT_EQ(label->text(), "Check at Intervals of 11 seconds");
    model.poll().setIntervalMs(60000);
    EXPECT_EQ(label->text(), "Check at Intervals of 60 seconds");
    up->click();
    EXPECT_EQ(model.poll().intervalMs(), 60000) << "the spin button stops at 60 seconds";
}

// Guards against a button whose press and release never reach its model (the
// pitch's "Test" button that stays silent, or sounds on after the release).
TEST(ButtonView, PressAndReleaseReachTheModelAroundTheClick) {
    test::qtApplication();
    ui::Window form("Form1");
    auto& model = form.add<ui::Button>(nullptr, "TestButton");
    model.setCaption("Test");
    model.setBounds({0, 0, 50, 25});
    std::vector<std::string> seen;
    model.onPress = [&] { seen.emplace_back("press"); };
    model.onRelease = [&] { seen.emplace_back("release"); };
    model.onClick = [&] { seen.emplace_back("click"); };
    ui::qt::WindowView view(form);
    auto* button = view.findChild<QPushButton*>("TestButton");
    ASSERT_NE(button, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(seen, std::vector<std::string>{"press"}) << "held: pressed, not yet released";
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(button, &release);
    EXPECT_EQ(seen, (std::vector<std::string>{"press", "release", "click"}));
}

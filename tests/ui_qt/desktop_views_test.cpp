// The desktop's views of a whole program start-up: which widgets outlive it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <memory>

#include "app/desktop/desktop_views.h"
#include "qt_application.h"
#include "test_program.h"

using namespace kvx;

namespace {

bool topLevelExists(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name) return true;
    return false;
}

}  // namespace

// Guards against the main window's widgets being made for a run that keeps it in
// the tray, a window made late that shows stale model state, and the splash's
// widgets and backing store staying mapped for the whole run after it closed.
TEST(DesktopViews, TheMainWindowIsMadeWhenFirstShownAndTheSplashViewGoesWhenItCloses) {
    test::qtApplication();
    test::TestProgram p;
    p.make();
    const QString mainName = QString::fromStdString(p.main->form().name());
    ASSERT_FALSE(p.main->form().visible());
    ui::qt::DesktopViews views(*p.app);
    ASSERT_TRUE(views.splashViewAlive());
    ASSERT_TRUE(topLevelExists("Splash1"));
    EXPECT_FALSE(views.mainViewBuilt());
    EXPECT_FALSE(topLevelExists(mainName));

    p.main->poll().setIntervalMs(30000);
    p.main->form().setVisible(true);
    ASSERT_TRUE(views.mainViewBuilt());
    QWidget* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == mainName) window = widget;
    ASSERT_NE(window, nullptr);
    auto* label = window->findChild<QLabel*>("GenTabIntervalLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Check at Intervals of 30 seconds");

    p.app->start();
    for (int round = 0; round < 100 && views.splashViewAlive(); ++round) QCoreApplication::processEvents();
    EXPECT_FALSE(views.splashViewAlive());
    EXPECT_FALSE(topLevelExists("Splash1"));
    EXPECT_TRUE(topLevelExists(mainName));
    // Later changes of the splash model (a dump, a script) reach no view and harm nothing.
    p.app->splash().window().setVisible(true);
    p.app->splash().window().setVisible(false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(topLevelExists("Splash1"));
}

// Guards against a main window shown small, or expanded on one page, carrying the
// widgets of all ten pages, and against a tray menu made for a run nobody opens it in.
TEST(DesktopViews, OnlyWhatIsSeenIsMadeTheMenuOnItsFirstOpening) {
    test::qtApplication();
    test::TestProgram p;
    p.make();
    ui::qt::DesktopViews views(*p.app);
    EXPECT_FALSE(views.trayView().menuMade());
    p.main->Show2Click();
    QCoreApplication::processEvents();
    ASSERT_NE(views.mainView(), nullptr);
    EXPECT_EQ(views.mainView()->findChild<QWidget*>("PageControl1"), nullptr) << "the small window shows no page";
    EXPECT_NE(views.mainView()->findChild<QWidget*>("VUMeterWB1"), nullptr) << "but shows the gauges";

    p.main->Hide1Click();
    p.main->Show1Click();
    QCoreApplication::processEvents();
    const std::size_t pageCount = p.main->form().require<ui::PageControl>("PageControl1").pages().size();
    EXPECT_EQ(views.mainView()->pagesNotBuilt(), pageCount - 1) << "expanded: the page in front only";
    EXPECT_FALSE(views.trayView().menu().actions().isEmpty());
}

// Guards against the splash losing its black window and white logo panel.
TEST(DesktopViews, TheSplashIsBlackWithAWhiteLogoPanel) {
    test::qtApplication();
    test::TestProgram p;
    p.make();
    ui::qt::DesktopViews views(*p.app);
    ui::qt::WindowView* splash = views.splashView();
    ASSERT_NE(splash, nullptr);
    QWidget* panel = splash->widgetFor(p.app->splash().window().require<ui::Panel>("Panel1"));
    ASSERT_NE(panel, nullptr);
    QImage picture = splash->grab().toImage();
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(panel->geometry().left() + 1, panel->geometry().center().y()), QColor(Qt::white));
}

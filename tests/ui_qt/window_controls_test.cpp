// The main window's and dialogs' Qt views: the expand button's arrows, the
// tray menu with its submenus and double click, Enter and Escape in dialogs,
// and the window font.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "acquisition/sensor_library.h"
#include "app/desktop/desktop_session.h"
#include "platform/fake/virtual_scheduler.h"
#include "qt_application.h"
#include "ui/main_window/main_window.h"
#include "ui/qt/tray_view.h"
#include "ui/qt/window_view.h"

using namespace kvx;

namespace {

struct WindowControls : ::testing::Test {
    platform::fake::VirtualScheduler clock{std::chrono::system_clock::time_point{}};
    std::unique_ptr<acquisition::SensorLibrary> library = acquisition::SensorLibrary::absent("test");
    ui::MainWindow main{clock, *library, acquisition::NumberFormat{}};
    void SetUp() override { test::qtApplication(); }
};

// The actions of a menu by object name, submenus' headings included.
std::vector<std::string> names(const QMenu& menu) {
    std::vector<std::string> result;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) result.emplace_back("-");
        else if (action->menu()) result.push_back(action->menu()->objectName().toStdString());
        else result.push_back(action->objectName().toStdString());
    }
    return result;
}

QAction* action(const QMenu& menu, const char* name) {
    for (QAction* each : menu.actions())
        if (each->objectName() == name || (each->menu() && each->menu()->objectName() == name)) return each;
    return nullptr;
}

}  // namespace

// Guards against an expand button that shows the symbol font's letters ("4")
// instead of the arrows they stand for, or keeps the old arrow.
TEST_F(WindowControls, TheExpandButtonDrawsTheArrowOfItsGlyph) {
    main.Show2Click();
    ui::qt::WindowView view(main.form());
    auto* button = view.findChild<QToolButton*>("SpeedButton3");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->arrowType(), Qt::RightArrow) << "small: the arrow points to where the window grows";
    EXPECT_TRUE(button->text().isEmpty());
    button->click();
    EXPECT_EQ(main.form().bounds().width, ui::MainWindow::kExpandedWidth);
    EXPECT_EQ(button->arrowType(), Qt::LeftArrow);
    EXPECT_EQ(main.form().require<ui::Button>("SpeedButton3").caption(), "3") << "the model keeps the glyph";
}

// Guards against a tray menu that drops the submenus (Quick Check, Help), shows
// the log items without their option, or whose items reach no command.
TEST_F(WindowControls, TheTrayMenuHasItsSubmenusAndItsItemsReachTheirCommands) {
    main.Hide1Click();
    ui::qt::TrayView tray(main.popupMenu());
    QMenu* menu = &tray.menu();
    emit menu->aboutToShow();
    EXPECT_EQ(names(*menu), (std::vector<std::string>{"UnInstallExit1", "-", "Help1", "-", "QuickCheck1", "Show1",
                                                      "Show2", "Hide1", "-", "pause1", "-", "Exit1"}));
    QMenu* help = action(*menu, "Help1")->menu();
    EXPECT_EQ(names(*help), (std::vector<std::string>{"Help2", "About1", "-", "WebPage1", "EMailAuthor1"}));
    EXPECT_EQ(action(*menu, "QuickCheck1")->menu()->actions().size(), 12);
    EXPECT_EQ(action(*menu, "Show1")->text(), "Show && Expand") << "Qt shows it as Show & Expand";
    EXPECT_TRUE(action(*menu, "Show1")->isEnabled()) << "parked";
    EXPECT_FALSE(action(*menu, "Hide1")->isEnabled());

    main.Show2Click();
    main.tovelItem().setVisible(true);
    main.form().require<ui::CheckBox>("CheckBox42").setChecked(true);
    emit menu->aboutToShow();
    EXPECT_FALSE(action(*menu, "Show1")->isEnabled()) << "shown";
    EXPECT_TRUE(action(*menu, "Hide1")->isEnabled());
    ASSERT_NE(action(*menu, "TovelBeer1"), nullptr);
    ASSERT_NE(action(*menu, "Log1"), nullptr);

    bool opened = false;
    main.commands.tovel = [&] { opened = true; };
    action(*menu, "TovelBeer1")->trigger();
    EXPECT_TRUE(opened);
}

// Guards against dialogs that ignore Enter and Escape.
TEST(DialogKeys, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    test::qtApplication();
    ui::Window dialog("TestDialog");
    dialog.setBounds({100, 100, 200, 80});
    std::vector<std::string> pressed;
    auto& yes = dialog.add<ui::Button>(nullptr, "YesButton");
    yes.setCaption("&Yes");
    yes.setBounds({10, 40, 75, 25});
    yes.onClick = [&] { pressed.emplace_back("yes"); };
    auto& no = dialog.add<ui::Button>(nullptr, "NoButton");
    no.setCaption("&No");
    no.isCancel = true;
    no.setBounds({100, 40, 75, 25});
    no.onClick = [&] { pressed.emplace_back("no"); };
    dialog.setVisible(true);
    ui::qt::WindowView view(dialog, Qt::Dialog);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view)) << "the dialog never became the active window";
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(pressed, (std::vector<std::string>{"yes", "no"}));
}

// Guards against windows, menus and message boxes drawn in a fallback font
// whose wider letters overflow the captions laid out for Arial.
TEST(WindowFont, ArialIsLiberationSansForTheWholeApplication) {
    test::qtApplication();
    if (!QFontDatabase::families().contains("Liberation Sans"))
        GTEST_SKIP() << "NOT RUN: Liberation Sans is not installed (scripts/bootstrap installs fonts-liberation)";
    ui::qt::useWindowFont();
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "Liberation Sans");
    EXPECT_EQ(QApplication::font().pointSize(), 8);
    EXPECT_EQ(QFontInfo(QApplication::font("QMenu")).family(), "Liberation Sans");
}

// Guards against the log pages' view and erase buttons showing as blank squares:
// every button without a caption draws a picture.
TEST_F(WindowControls, ButtonsWithoutCaptionsShowAPicture) {
    ui::qt::WindowView view(main.form());
    int checked = 0;
    for (const ui::Control* control : main.form().controls()) {
        auto* model = dynamic_cast<const ui::Button*>(control);
        if (!model || !model->caption().empty() || !model->glyphFont.empty()) continue;
        SCOPED_TRACE(model->name());
        auto* button = view.findChild<QPushButton*>(QString::fromStdString(model->name()));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->icon().isNull());
        ++checked;
    }
    EXPECT_GE(checked, 10) << "the log pages' view and erase buttons";
}

// Guards against check boxes and radio buttons too narrow for their captions in
// the window's font, which end cut off mid-word ("On Voltage Alarm r").
TEST_F(WindowControls, BoxCaptionsFitTheirWidth) {
    main.Show1Click();
    ui::qt::WindowView view(main.form());
    int checked = 0;
    for (QAbstractButton* box : view.findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(box) && !qobject_cast<QRadioButton*>(box)) continue;
        EXPECT_LE(box->sizeHint().width(), box->width())
            << box->objectName().toStdString() << " \"" << box->text().toStdString() << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

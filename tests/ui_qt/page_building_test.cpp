// A view that refreshes only what is seen makes a page's widgets, and those of a
// window-level control beyond the window's area, when they first come into sight.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

#include <memory>

#include "qt_application.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"
#include "ui/qt/window_view.h"

using namespace kvx;
using ui::qt::WindowView;

namespace {

// A cover label over a two-page control, a label on each page and a check box on the second.
struct PagedWindow {
    ui::Window window{"Paged"};
    ui::PageControl& pages = window.add<ui::PageControl>(nullptr, "Pages");
    ui::Page& first = window.add<ui::Page>(&pages, "FirstPage");
    ui::Page& second = window.add<ui::Page>(&pages, "SecondPage");
    ui::Label& onFirst = window.add<ui::Label>(&first, "FirstLabel");
    ui::Label& onSecond = window.add<ui::Label>(&second, "SecondLabel");
    ui::CheckBox& box = window.add<ui::CheckBox>(&second, "SecondBox");
    ui::Label& cover = window.add<ui::Label>(nullptr, "Cover");
    std::unique_ptr<WindowView> made;

    explicit PagedWindow(int pagesLeft) {
        pages.setBounds({pagesLeft, 30, 290, 160});
        cover.setBounds({0, 30, 620, 160});  // in the window at any size, over the pages
        for (ui::Control* c : std::initializer_list<ui::Control*>{&onFirst, &onSecond, &box})
            c->setBounds({5, 5, 200, 16});
        pages.addPage(first);
        pages.addPage(second);
        window.setBounds({50, 50, 300, 200});
        made = std::make_unique<WindowView>(window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    }
    WindowView& view() { return *made; }
    QLabel* label(const char* name) { return made->findChild<QLabel*>(name); }
    void show() {
        window.setVisible(true);
        QApplication::processEvents();
    }
};

}  // namespace

// Guards against a window carrying the widgets of pages nobody looked at, and a
// page made late that shows the captions it had when the window was made.
TEST(PageBuilding, APageIsMadeWhenFirstSeenFromTheModelAsItIsThen) {
    test::qtApplication();
    PagedWindow w(5);
    w.onFirst.setCaption("first 1");
    EXPECT_EQ(w.label("FirstLabel"), nullptr) << "hidden window: no page made";
    w.show();
    ASSERT_NE(w.label("FirstLabel"), nullptr);
    EXPECT_EQ(w.label("FirstLabel")->text(), "first 1");
    EXPECT_EQ(w.label("SecondLabel"), nullptr) << "the page behind is not made";

    w.onSecond.setCaption("second 2");
    w.pages.setActivePageIndex(1);
    ASSERT_NE(w.label("SecondLabel"), nullptr);
    EXPECT_EQ(w.label("SecondLabel")->text(), "second 2");
    EXPECT_TRUE(w.label("SecondLabel")->isVisible());
}

// Guards against the small window making what lies beyond its edge, against it
// missing once the window grows, and against it then covering a later control.
TEST(PageBuilding, ControlsBeyondTheWindowAreMadeWhenItGrowsInTheirStackingPlace) {
    test::qtApplication();
    PagedWindow w(320);
    w.show();
    EXPECT_EQ(w.view().findChild<QTabWidget*>("Pages"), nullptr);
    EXPECT_EQ(w.view().windowControlsNotBuilt(), 1u);

    w.window.setBounds({50, 50, 620, 200});
    QApplication::processEvents();
    ASSERT_NE(w.label("FirstLabel"), nullptr);
    EXPECT_EQ(w.view().childAt(330, 40), w.label("Cover")) << "the later control stays on top";
}

// Guards against a script, screenshot or test that reads or presses a control on
// a page never shown finding no widget, or one that does not reach the model.
TEST(PageBuilding, AControlOnAPageNeverShownHasAWorkingWidgetWhenAskedFor) {
    test::qtApplication();
    PagedWindow w(5);
    w.box.setChecked(true);
    auto* box = qobject_cast<QCheckBox*>(w.view().widgetFor(w.box));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    box->click();
    EXPECT_FALSE(w.box.checked());
    EXPECT_EQ(w.view().pagesNotBuilt(), 1u) << "only the page asked for is made";
}

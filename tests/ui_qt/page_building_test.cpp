// A view that refreshes only what is seen makes a page's widgets the first time
// the page comes into sight, from the model as it is then; asked for a control's
// widget, it makes that control's page at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

#include "qt_application.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"
#include "ui/qt/window_view.h"

using namespace kvx;
using ui::qt::WindowView;

namespace {

// A label above a page control of two pages, a label and a check box on each.
struct PagedWindow {
    ui::Window window{"Paged"};
    ui::PageControl& pages;
    ui::Page& first;
    ui::Page& second;
    ui::Label& onFirst;
    ui::Label& onSecond;
    ui::CheckBox& boxOnSecond;

    PagedWindow()
        : pages(window.add<ui::PageControl>(nullptr, "Pages")),
          first(window.add<ui::Page>(&pages, "FirstPage")),
          second(window.add<ui::Page>(&pages, "SecondPage")),
          onFirst(window.add<ui::Label>(&first, "FirstLabel")),
          onSecond(window.add<ui::Label>(&second, "SecondLabel")),
          boxOnSecond(window.add<ui::CheckBox>(&second, "SecondBox")) {
        window.setBounds({50, 50, 300, 200});
        pages.setBounds({5, 30, 290, 160});
        pages.addPage(first);
        pages.addPage(second);
        onFirst.setBounds({5, 5, 200, 16});
        onSecond.setBounds({5, 5, 200, 16});
        boxOnSecond.setBounds({5, 30, 200, 16});
        onFirst.setCaption("first 0");
        onSecond.setCaption("second 0");
    }
};

QLabel* label(const WindowView& view, const char* name) { return view.findChild<QLabel*>(name); }

void show(PagedWindow& model) {
    model.window.setVisible(true);
    QApplication::processEvents();
}

}  // namespace

// Guards against a hidden window carrying the widgets of every page, and against
// a page made late showing the captions it had when the window was made.
TEST(PageBuilding, APageIsMadeWhenFirstSeenFromTheModelAsItIsThen) {
    test::qtApplication();
    PagedWindow model;
    WindowView view(model.window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    EXPECT_EQ(view.pagesNotBuilt(), 2u);
    EXPECT_EQ(label(view, "FirstLabel"), nullptr) << "hidden window: no page made";

    model.onFirst.setCaption("first 1");
    model.onSecond.setCaption("second 1");
    show(model);
    ASSERT_NE(label(view, "FirstLabel"), nullptr);
    EXPECT_EQ(label(view, "FirstLabel")->text(), "first 1");
    EXPECT_TRUE(label(view, "FirstLabel")->isVisible());
    EXPECT_EQ(label(view, "SecondLabel"), nullptr) << "a page behind the first is not made";

    // Brought forward by the person (the tab) and by the model: made then, current.
    model.onSecond.setCaption("second 2");
    view.findChild<QTabWidget*>("Pages")->setCurrentIndex(1);
    ASSERT_NE(label(view, "SecondLabel"), nullptr);
    EXPECT_EQ(label(view, "SecondLabel")->text(), "second 2");
    EXPECT_TRUE(label(view, "SecondLabel")->isVisible());
    EXPECT_EQ(view.pagesNotBuilt(), 0u);

    // Made once: later changes reach the same widget.
    QLabel* made = label(view, "SecondLabel");
    model.onSecond.setCaption("second 3");
    EXPECT_EQ(label(view, "SecondLabel"), made);
    EXPECT_EQ(made->text(), "second 3");
}

// Guards against the small window (the page control beyond its right edge) making
// controls and pages nobody can see, and against them missing once it is made larger.
TEST(PageBuilding, APageControlOutsideTheWindowIsMadeWhenTheWindowGrowsOverIt) {
    test::qtApplication();
    PagedWindow model;
    model.pages.setBounds({320, 30, 290, 160});
    WindowView view(model.window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    show(model);
    EXPECT_EQ(view.windowControlsNotBuilt(), 1u);
    EXPECT_EQ(view.findChild<QTabWidget*>("Pages"), nullptr) << "not even the page control is made";

    model.onFirst.setCaption("first 1");
    model.window.setBounds({50, 50, 620, 200});
    QApplication::processEvents();
    EXPECT_EQ(view.windowControlsNotBuilt(), 0u);
    EXPECT_EQ(view.pagesNotBuilt(), 1u);
    ASSERT_NE(label(view, "FirstLabel"), nullptr);
    EXPECT_EQ(label(view, "FirstLabel")->text(), "first 1");

    // A page control moved into sight on a window already large enough.
    PagedWindow other;
    other.pages.setBounds({320, 30, 290, 160});
    WindowView otherView(other.window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    show(other);
    other.pages.setBounds({5, 30, 290, 160});
    EXPECT_NE(label(otherView, "FirstLabel"), nullptr);
}

// Guards against a control made late covering a neighbour it lies under, and a
// hidden control of the window being made before it is shown.
TEST(PageBuilding, AControlOfTheWindowMadeLateKeepsItsPlaceInTheStackingOrder) {
    test::qtApplication();
    ui::Window window{"Stacked"};
    auto& below = window.add<ui::Label>(nullptr, "Below");
    auto& above = window.add<ui::Label>(nullptr, "Above");
    window.setBounds({50, 50, 300, 200});
    below.setBounds({5, 5, 200, 16});
    above.setBounds({5, 5, 200, 16});
    below.setVisible(false);
    WindowView view(window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    window.setVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(view.findChild<QLabel*>("Below"), nullptr);

    below.setCaption("below 1");
    below.setVisible(true);
    auto* made = view.findChild<QLabel*>("Below");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->text(), "below 1");
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(view.childAt(10, 10), view.findChild<QLabel*>("Above")) << "the later control stays on top";
}

// Guards against a script, screenshot or test that reads or presses a control on
// a page never shown finding no widget, or one that does not reach the model.
TEST(PageBuilding, AControlOnAPageNeverShownHasAWorkingWidgetWhenAskedFor) {
    test::qtApplication();
    PagedWindow model;
    WindowView view(model.window, Qt::Window, Qt::NonModal, WindowView::Refresh::WhenSeen);
    model.boxOnSecond.setChecked(true);
    auto* box = qobject_cast<QCheckBox*>(view.widgetFor(model.boxOnSecond));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(view.pagesNotBuilt(), 1u) << "only the page asked for is made";
    box->click();
    EXPECT_FALSE(model.boxOnSecond.checked());

    view.buildAll();
    EXPECT_NE(label(view, "FirstLabel"), nullptr);

    // A view that refreshes everything (screenshots, dialogs) makes every page at once.
    PagedWindow eager;
    WindowView eagerView(eager.window);
    EXPECT_EQ(eagerView.pagesNotBuilt(), 0u);
    EXPECT_NE(label(eagerView, "SecondLabel"), nullptr);
}

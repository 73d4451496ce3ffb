// What a view made to refresh only what is seen shows once its window or page comes into sight.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTabWidget>

#include "qt_application.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"
#include "ui/qt/window_view.h"

using namespace kvx;

namespace {

// A window with a caption on the window itself and one on each of two pages.
struct TwoPageWindow {
    ui::Window window{"TwoPages"};
    ui::Label& top;
    ui::PageControl& pages;
    ui::Page& first;
    ui::Page& second;
    ui::Label& onFirst;
    ui::Label& onSecond;

    TwoPageWindow()
        : top(window.add<ui::Label>(nullptr, "TopLabel")),
          pages(window.add<ui::PageControl>(nullptr, "Pages")),
          first(window.add<ui::Page>(&pages, "FirstPage")),
          second(window.add<ui::Page>(&pages, "SecondPage")),
          onFirst(window.add<ui::Label>(&first, "FirstLabel")),
          onSecond(window.add<ui::Label>(&second, "SecondLabel")) {
        window.setBounds({50, 50, 300, 200});
        top.setBounds({5, 5, 200, 16});
        pages.setBounds({5, 30, 290, 160});
        pages.addPage(first);
        pages.addPage(second);
        onFirst.setBounds({5, 5, 200, 16});
        onSecond.setBounds({5, 5, 200, 16});
        top.setCaption("top 0");
        onFirst.setCaption("first 0");
        onSecond.setCaption("second 0");
    }
};

QString text(const ui::qt::WindowView& view, const char* name) { return view.findChild<QLabel*>(name)->text(); }

}  // namespace

// Guards against a window parked hidden, or a page not in front, showing the
// captions it had when it was hidden instead of the model's current ones.
TEST(WindowRefresh, WidgetsChangedOutOfSightShowTheModelWhenTheyComeIntoSight) {
    test::qtApplication();
    TwoPageWindow model;
    ui::qt::WindowView view(model.window, Qt::Window, Qt::NonModal, ui::qt::WindowView::Refresh::WhenSeen);
    EXPECT_EQ(text(view, "TopLabel"), "top 0") << "a new view starts from the model";

    // Changed while the window is hidden.
    model.top.setCaption("top 1");
    model.onFirst.setCaption("first 1");
    model.onSecond.setCaption("second 1");
    model.window.setVisible(true);
    QApplication::processEvents();
    ASSERT_TRUE(view.isVisible());
    EXPECT_EQ(text(view, "TopLabel"), "top 1");
    EXPECT_EQ(text(view, "FirstLabel"), "first 1");

    // Changed while shown: the page in front at once, the other one when it is brought forward.
    model.top.setCaption("top 2");
    model.onFirst.setCaption("first 2");
    model.onSecond.setCaption("second 2");
    EXPECT_EQ(text(view, "TopLabel"), "top 2");
    EXPECT_EQ(text(view, "FirstLabel"), "first 2");
    view.findChild<QTabWidget*>("Pages")->setCurrentIndex(1);
    EXPECT_EQ(model.pages.activePageIndex(), 1);
    EXPECT_EQ(text(view, "SecondLabel"), "second 2");

    // The model bringing a page forward shows it current too.
    model.onFirst.setCaption("first 3");
    model.pages.setActivePageIndex(0);
    EXPECT_EQ(text(view, "FirstLabel"), "first 3");

    // Hidden again and shown again.
    model.window.setVisible(false);
    QApplication::processEvents();
    model.onFirst.setCaption("first 4");
    model.top.setCaption("top 4");
    model.window.setVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(text(view, "TopLabel"), "top 4");
    EXPECT_EQ(text(view, "FirstLabel"), "first 4");
}

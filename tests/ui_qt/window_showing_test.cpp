// Windows reach the screen in one piece: a window manager that is sent "map,
// unmap, map" in quick succession can lose the last map and leave a window
// that nobody sees (a first-run dialog did so in about one start in five).
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <sstream>

#include "alarms/warning_window.h"
#include "app/desktop/qt_modal_host.h"
#include "app/harness/modal_answers.h"
#include "platform/diagnostics.h"
#include "platform/qt/qt_scheduler.h"
#include "qt_application.h"
#include "ui/model/window.h"
#include "ui/qt/window_view.h"

using namespace kvx;

namespace {

// Counts the showings and hidings of the top-level widget with one name, and
// notes how the first showing was made.
struct ShowingLog : QObject {
    QString name;
    int shows = 0;
    int hides = 0;
    Qt::WindowFlags flags;
    Qt::WindowModality modality = Qt::NonModal;

    explicit ShowingLog(QString windowName) : name(std::move(windowName)) { qApp->installEventFilter(this); }
    ~ShowingLog() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || !widget->isWindow() || widget->objectName() != name) return false;
        if (event->type() == QEvent::Show && shows++ == 0) {
            flags = widget->windowFlags();
            modality = widget->windowModality();
        }
        if (event->type() == QEvent::Hide) ++hides;
        return false;
    }
};

struct WindowShowing : ::testing::Test {
    void SetUp() override { test::qtApplication(); }
};

}  // namespace

// Guards against: a shown window unmapped and mapped again by the view when the model
// hides and shows it in one handler (the tray's Show) or changes "stay on top".
TEST_F(WindowShowing, AShownWindowStaysShownThroughAHideAndShowInOneHandlerAndAStayOnTopChange) {
    ui::Window model("Form1");
    model.setBounds({10, 10, 112, 160});
    model.setVisible(true);
    ui::qt::WindowView view(model);
    QApplication::processEvents();
    ASSERT_TRUE(view.isVisible());

    ShowingLog log("Form1");
    model.setVisible(false);
    model.setBounds({20, 20, 112, 160});
    model.stayOnTop = true;
    model.setVisible(true);
    QApplication::processEvents();

    EXPECT_EQ(log.hides, 0);
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(view.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(view.pos(), QPoint(20, 20));

    model.setVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(view.isVisible()) << "a hide on its own still hides";
}

// Guards against a dialog shown before its type and modality were set, then
// hidden and shown again to take them (a first-run dialog that never appeared),
// and a warning that can be shut past its two buttons (a close box in its title
// bar), hides behind other windows, opens off-centre or resized, or shows
// another picture than a warning.
TEST_F(WindowShowing, TheWarningIsAFixedCentredAlwaysOnTopDialogWithAWarningPicture) {
    platform::qt::QtScheduler scheduler;
    app::ModalAnswers answers;
    answers.set("WarningForm", {"&Disable Alarm", 200});
    kvx::platform::CollectedDiagnostics diagnostics;
    ui::qt::QtModalHost host(scheduler, answers, diagnostics);
    alarms::WarningWindow warning;
    warning.window().setModalHost(&host);
    ShowingLog log("WarningForm");

    QSize size;
    QImage picture;
    scheduler.schedule(scheduler.nowMs() + 100, platform::TaskPriority::Timer, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() != "WarningForm" || !widget->isVisible()) continue;
            size = widget->size();
            if (auto* label = widget->findChild<QLabel*>("WarningImage")) picture = label->pixmap().toImage();
        }
    });
    warning.window().showModal();

    EXPECT_EQ(warning.window().modalResult(), "&Disable Alarm");
    EXPECT_EQ(log.shows, 1) << "shown before its type and modality were set, then again to take them";
    EXPECT_EQ(log.modality, Qt::ApplicationModal) << "at its first showing";
    EXPECT_TRUE(log.flags.testFlag(Qt::Dialog));
    EXPECT_TRUE(log.flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(log.flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(log.flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(size, QSize(417, 104));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(warning.window().bounds().left, area.left() + (area.width() - 417) / 2);
    EXPECT_EQ(warning.window().bounds().top, area.top() + (area.height() - 104) / 2);
    const QImage expected = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32).toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture, expected);
}

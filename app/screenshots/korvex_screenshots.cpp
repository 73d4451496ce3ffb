// Renders the program's windows into PNG files for the documentation and for
// review: the small window, the expanded window on every page and panel, and
// every dialog. Usage: korvex-screenshots FOLDER [SENSOR-LIBRARY]
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>

#include <iostream>
#include <string>
#include <vector>

#include "acquisition/information_window.h"
#include "acquisition/sensor_library.h"
#include "alarms/warning_window.h"
#include "app/desktop/desktop_session.h"
#include "app/dialogs/about_window.h"
#include "app/dialogs/agreement_window.h"
#include "app/dialogs/exit_question.h"
#include "app/dialogs/first_time_information_window.h"
#include "app/dialogs/splash.h"
#include "app/dialogs/startup_info_window.h"
#include "app/dialogs/startup_settings_window.h"
#include "app/dialogs/uninstall_window.h"
#include "platform/fake/virtual_scheduler.h"
#include "platform/linux/dl_shared_library.h"
#include "ui/main_window/main_window.h"
#include "ui/qt/window_view.h"

using namespace kvx;

namespace {

class Shooter {
public:
    explicit Shooter(QString folder) : folder_(std::move(folder)) {}

    // Shows the view until the window system has drawn it, then saves it.
    bool shoot(QWidget& view, const QString& name) {
        view.show();
        view.raise();
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            QThread::msleep(20);
        }
        const QString path = folder_ + "/" + name + ".png";
        if (!view.grab().save(path)) {
            std::cerr << "korvex-screenshots: cannot write " << path.toStdString() << "\n";
            return false;
        }
        std::cout << path.toStdString() << "\n";
        return true;
    }

private:
    QString folder_;
};

struct SelectorPage {
    int page;
    const char* selector;  // "" for a page without panels
    const char* file;
};

// The pages in tab order with their panel selectors.
const SelectorPage kPages[] = {
    {0, "GenTabComboBox", "general"}, {1, "ComboBox4", "alarms"}, {2, "ComboBox6", "voltages"},
    {3, "ComboBox1", "fans"},         {4, "", "compensation"},    {5, "ComboBox5", "visual"},
    {6, "ComboBox10", "log"},         {7, "", "up-down"},         {8, "ComboBox8", "cpuidle"},
    {9, "ComboBox2", "shdn"},
};

bool shootMainWindow(Shooter& shooter, ui::MainWindow& main) {
    bool ok = true;
    main.formX = 40;
    main.formY = 40;
    main.Show2Click();
    {
        ui::qt::WindowView view(main.form());
        ok &= shooter.shoot(view, "small-window");
    }
    main.Hide1Click();
    main.Show1Click();
    ui::qt::WindowView view(main.form());
    auto& pages = main.form().require<ui::PageControl>("PageControl1");
    for (const SelectorPage& p : kPages) {
        pages.setActivePageIndex(p.page);
        if (!*p.selector) {
            ok &= shooter.shoot(view, QString("expanded-%1").arg(p.file));
            continue;
        }
        auto& selector = main.form().require<ui::ComboBox>(p.selector);
        for (int i = 0; i < static_cast<int>(selector.items().size()); ++i) {
            selector.select(i);
            ok &= shooter.shoot(view, QString("expanded-%1-%2").arg(p.file).arg(i + 1));
        }
        selector.select(0);
    }
    return ok;
}

bool shootDialog(Shooter& shooter, ui::Window& window, const QString& name) {
    window.setVisible(true);
    ui::qt::WindowView view(window, Qt::Dialog);
    return shooter.shoot(view, "dialog-" + name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: korvex-screenshots FOLDER [SENSOR-LIBRARY]\n";
        return 2;
    }
    QApplication application(argc, argv);
    ui::qt::useWindowFont();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::cerr << "korvex-screenshots: cannot make " << argv[1] << "\n";
        return 1;
    }
    Shooter shooter(folder);

    platform::fake::VirtualScheduler clock(std::chrono::system_clock::now());
    platform::linux_backend::DlSharedLibraryLoader loader;
    const std::string libraryPath = argc > 2 ? argv[2]
                                             : QApplication::applicationDirPath().toStdString() + "/libkvx-sim.so";
    auto library = acquisition::SensorLibrary::load(loader, libraryPath, [&clock] { return clock.nowMs(); });
    if (!library->usable()) std::cerr << "korvex-screenshots: " << library->problem() << "; no readings shown\n";

    ui::MainWindow main(clock, *library, acquisition::NumberFormat{});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    main.setScreenSize(screen.width(), screen.height());
    // As start-up leaves it: the unit shown, each sensor on its chip, one poll.
    main.channels().unitButton().click();
    for (int sensor = 1; sensor <= 3; ++sensor) main.channels().restoreSource(sensor, sensor);
    main.SetAllNameTexts();
    main.poll().Timer1Timer();

    bool ok = shootMainWindow(shooter, main);
    main.Hide1Click();

    app::AboutWindow about;
    app::StartupInfoWindow startupInfo;
    app::AgreementWindow agreement;
    app::FirstTimeInformationWindow firstTime([] { return 0x10; });
    app::StartupSettingsWindow startupSettings({[] { return acquisition::RailVoltages{}; }, true, {}, {}});
    app::ExitQuestion exitQuestion;
    app::UninstallWindow uninstall(clock, "/nonexistent/", {});
    alarms::WarningWindow warning;
    app::Splash splash;
    ok &= shootDialog(shooter, about.window(), "about");
    ok &= shootDialog(shooter, startupInfo.window(), "startup-info");
    ok &= shootDialog(shooter, agreement.window(), "agreement");
    ok &= shootDialog(shooter, firstTime.window(), "first-time-information");
    ok &= shootDialog(shooter, startupSettings.window(), "startup-settings");
    ok &= shootDialog(shooter, exitQuestion.window(), "exit-question");
    ok &= shootDialog(shooter, uninstall.window(), "uninstall");
    ok &= shootDialog(shooter, warning.window(), "warning");
    ok &= shootDialog(shooter, main.information().window(), "quick-info");
    ok &= shootDialog(shooter, splash.window(), "splash");
    return ok ? 0 : 1;
}

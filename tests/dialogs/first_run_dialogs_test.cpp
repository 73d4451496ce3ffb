// The first-run dialogs: their order, the agreement's outcome, the start-up
// settings' captions and core voltage editing, and the chip advice.
#include <gtest/gtest.h>

#include "acquisition/channel_settings.h"
#include "app/dialogs/agreement_window.h"
#include "app/dialogs/first_run_dialogs.h"
#include "app/dialogs/first_time_information_window.h"
#include "app/dialogs/startup_info_window.h"
#include "app/dialogs/startup_settings_window.h"
#include "dialog_harness.h"

using namespace kvx;
using test::DialogHarness;

namespace {

using FirstTimeInformationWindow = app::FirstTimeInformationWindow;

struct FirstRun {
    DialogHarness host;
    ui::Window mainForm{"Form1"};
    acquisition::ChannelSettings channels{mainForm, {}, {}};
    acquisition::RailVoltages volts{2.8, 1.745, 3.3, 5, 12, -12, -5};
    int32_t chipId = FirstTimeInformationWindow::kLM78;
    std::vector<std::string> events;

    app::FirstRunInputs inputs(bool chipPresent = true) {
        app::FirstRunInputs in;
        in.modalHost = &host;
        in.readVoltages = [this] { return volts; };
        in.chipId = [this] { return chipId; };
        in.chipPresent = chipPresent;
        in.coreNominal = app::coreNominalEditingOf(channels);
        in.windowOpened = [this](ui::Window& w) { events.push_back("open " + w.name()); };
        in.windowClosed = [this](ui::Window& w) { events.push_back("closed " + w.name()); };
        return in;
    }
};

}  // namespace

// Guards against a dialog skipped or shown out of order in an unattended first
// run, and against a declined agreement that lets the start-up go on.
TEST(FirstRunDialogs, UnansweredTheyAllShowInOrderAndADeclineEndsThem) {
    struct Case {
        const char* how;
        void (*decline)(DialogHarness&);  // nullptr: nothing answered
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"unanswered", nullptr, {"Form9", "Form3", "Form2", "Form6"}},
        {"&No button",
         [](DialogHarness& h) {
             h.answers.set("Form3", {"&No", 0});
         },
         {"Form9", "Form3"}},
        {"close box", [](DialogHarness& h) { h.closeBox.insert("Form3"); }, {"Form9", "Form3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        FirstRun run;
        if (c.decline) c.decline(run.host);
        app::FirstRunOutcome outcome = app::runFirstRunDialogs(run.inputs());
        EXPECT_EQ(outcome.accepted, c.decline == nullptr);
        EXPECT_FALSE(outcome.corePort1);
        EXPECT_DOUBLE_EQ(outcome.coreNominal, 2.8);
        EXPECT_EQ(run.host.shown, c.shown);
        std::vector<std::string> events;
        for (const std::string& name : c.shown) events.insert(events.end(), {"open " + name, "closed " + name});
        EXPECT_EQ(run.events, events);
        EXPECT_EQ(run.host.diagnostics.str(), "");
    }
}

// Guards against an acceptance kept from an earlier showing of the agreement.
TEST(AgreementWindow, AnEarlierAcceptanceDoesNotCarryOver) {
    DialogHarness host;
    app::AgreementWindow agreement;
    agreement.window().setModalHost(&host);
    EXPECT_TRUE(agreement.ask());
    host.answers.set("Form3", {"&No", 0});
    EXPECT_FALSE(agreement.ask());
}

TEST(StartupSettingsWindow, CaptionsFromTheVoltagesAndTheCoreNominalSharedWithTheMainWindow) {
    FirstRun run;
    std::string captionsWhileOpen;
    run.host.whileOpen["Form2"] = [&](ui::Window& w) {
        captionsWhileOpen = DialogHarness::caption(w, "Port0RadioButton") + " | " +
                            DialogHarness::caption(w, "Port1RadioButton") + " | " +
                            DialogHarness::caption(w, "VersionLabel") + " | " +
                            DialogHarness::caption(w, "CoreVoltageLabel");
        EXPECT_TRUE(w.find("CoreVoltageGroupBox")->visible());
        EXPECT_TRUE(w.require<ui::RadioButton>("Port0RadioButton").checked()) << "Port 0 starts chosen";
        auto* spin = &w.require<ui::SpinButton>("CoreVoltageSpinButton");
        spin->up();
        spin->up();
        spin->down();
        EXPECT_EQ(DialogHarness::caption(w, "CoreVoltageLabel"), "Core Voltage: 2.9Volt");
        w.require<ui::RadioButton>("Port1RadioButton").click();
    };
    app::FirstRunOutcome outcome = app::runFirstRunDialogs(run.inputs());
    EXPECT_EQ(captionsWhileOpen, "Port 0: 2.80Volt | Port 1: 1.75Volt | Version 3.82 | Core Voltage: 2.8Volt");
    EXPECT_TRUE(outcome.corePort1);
    EXPECT_NEAR(outcome.coreNominal, 2.9, 1e-9);
    EXPECT_NEAR(run.channels.coreNominal(), 2.9, 1e-9) << "the main window's own value was edited";
    EXPECT_EQ(DialogHarness::caption(run.mainForm, "Label11"), "Core Voltage: 2.9Volt");
}

TEST(StartupSettingsWindow, WithoutTheChipTheQuestionsAreHiddenAndTheCloseBoxStillReportsThePort) {
    DialogHarness host;
    app::StartupSettingsWindow settings({[] { return acquisition::RailVoltages{}; }, false, {','}, {}});
    settings.window().setModalHost(&host);
    host.closeBox.insert("Form2");
    host.whileOpen["Form2"] = [](ui::Window& w) { w.require<ui::RadioButton>("Port1RadioButton").click(); };
    std::vector<bool> reports;
    settings.onPortChosen = [&](bool port1) { reports.push_back(port1); };
    settings.show();
    EXPECT_FALSE(settings.window().find("CoreVoltageGroupBox")->visible());
    EXPECT_EQ(DialogHarness::caption(settings.window(), "Port0RadioButton"), "Port 0: 0,00Volt")
        << "the user's decimal separator";
    EXPECT_EQ(reports, std::vector<bool>{true});
}

// Guards against advice that names the wrong chip or tray command ("&&" shows one ampersand).
TEST(FirstTimeInformationWindow, OneAdviceTextChosenByTheChipIdentifier) {
    struct Case {
        int32_t chipId;
        std::string adviceStart;
    };
    const std::string notDetected = "Korvex has not detected the LM78 or the Winbond W83781D chip";
    const Case table[] = {
        {0x10, "Korvex has detected the Winbond W83781D chip on your PC, it is recomended that you use the WB1"},
        {0x2D, "Korvex has detected the LM78/LM79 chip on your PC, it is recomended that you do not use the WB2"},
        {0, notDetected},
        {0x30, notDetected},
    };
    DialogHarness host;
    int32_t chipId = 0;
    app::FirstTimeInformationWindow information([&] { return chipId; });
    information.window().setModalHost(&host);
    for (const Case& c : table) {
        SCOPED_TRACE(c.chipId);
        chipId = c.chipId;
        information.show();
        EXPECT_EQ(DialogHarness::caption(information.window(), "ChipLabel").rfind(c.adviceStart, 0), 0u);
    }
    EXPECT_NE(DialogHarness::caption(information.window(), "TrayLabel").find("Show && Expand"), std::string::npos);
    EXPECT_NE(DialogHarness::caption(app::StartupInfoWindow().window(), "InfoLabel").find("LM75"), std::string::npos);
}

// The poll as the program runs it: start-up, timer polls, settings handlers, statistics.
#include <gtest/gtest.h>

#include "test_program.h"

using namespace kvx;
using acquisition::Rail;
using acquisition::TChannel;
using test::FakeBoard;

using Program = test::TestProgram;

TEST(PollCycle, StartUpFillsTheWindowButTheStatisticsBeginWithTheFirstTimerPoll) {
    Program p;
    p.start();
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "35°C");
    EXPECT_EQ(p.caption("UDTabWB1LowestLabel"), "0");
    EXPECT_EQ(p.caption("UDTabPollsLabel"), "Number of Polls: 1") << "the label was written before the second reset";
    EXPECT_EQ(p.record(TChannel::CoreVoltage).count, 0);
    EXPECT_EQ(p.caption("SpeedButton2"), "F") << "start-up presses the unit button once: Celsius shown";
    p.run(10);
    EXPECT_EQ(p.caption("UDTabPollsLabel"), "Number of Polls: 1");
    EXPECT_EQ(p.caption("UDTabWB1LowestLabel"), "35");
    p.run(20);
    EXPECT_EQ(p.caption("UDTabPollsLabel"), "Number of Polls: 3");
}

// Guards against a no-reading -1 shown or counted once compensation shifts it.
TEST(PollCycle, NoReadingStaysNoReadingUnderCompensation) {
    Program p;
    p.start();
    p.run(10);
    // A raw -1 stays -1 with compensation on: no text, no statistics.
    p.channels().setCompensationOffset(1, 5);
    p.main->form().require<ui::CheckBox>("CheckBox53").setChecked(true);  // polls now
    int count = p.record(TChannel::Sensor1).count;
    p.board().lm78 = -1;
    p.run(10);
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "");
    EXPECT_EQ(p.record(TChannel::Sensor1).count, count);
    EXPECT_EQ(p.main->readings().sensorReading[0], -1.0);

    // A raw 0 with an offset of -1 becomes -1 and counts as no reading.
    p.channels().setCompensationOffset(1, -1);
    p.board().lm78 = 0;
    p.run(10);
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "");
    EXPECT_EQ(p.record(TChannel::Sensor1).count, count);
}

// Guards against a stopped fan's 0 taken as the lowest, and statistics kept across a change of unit.
TEST(PollCycle, LowestOfZeroIsUnsetAndTheUnitSwitchRestartsTemperatures) {
    Program p;
    p.start();
    for (int rpm : {0, 3000, 2900}) {
        p.board().fans[0] = rpm;
        p.board().lm78 = rpm == 0 ? 30 : 40;
        p.run(10);
    }
    EXPECT_EQ(p.caption("UDTabFan1LowestLabel"), "2900");
    EXPECT_EQ(p.caption("UDTabFan1AverageLabel"), "1966.67");
    p.board().lm78 = 35;
    p.channels().unitButton().click();  // to Fahrenheit, Round °F on
    EXPECT_EQ(p.caption("UDTabWB1LowestLabel"), "86") << "30 °C rewritten in Fahrenheit";
    EXPECT_EQ(p.record(TChannel::Sensor1).count, 0);
    EXPECT_EQ(p.record(TChannel::CoreVoltage).count, 4) << "other records are untouched";
    p.run(10);
    EXPECT_EQ(p.caption("UDTabWB1AverageLabel"), "95.00");
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "95°F");
}

// Guards against the chip-absent path touching rails, fans or the poll count.
TEST(PollCycle, WithoutTheChipOnlyTemperaturesArePolled) {
    Program p;
    p.board().chip = false;
    p.start();
    p.run(60);
    EXPECT_EQ(p.caption("UDTabPollsLabel"), "Number of Polls: 0");
    EXPECT_EQ(p.caption("Label10"), ":0");
    EXPECT_EQ(p.caption("FMFan1RPMLabel"), "0");
    EXPECT_EQ(p.record(TChannel::Sensor1).count, 6);
    ASSERT_EQ(p.app->messages().entries().size(), 1u);
    EXPECT_EQ(p.app->messages().entries()[0].text,
              "No LM78 Detected. There will be no Motherboard Temperature, Voltage or Fan readouts");
}

TEST(PollCycle, RailBandEdgesAreInside) {
    Program p;
    p.board().volts[0] = 2.8 + 2.8 / 100 * 10;  // core nominal 2.8 + 10 %, computed as the band is
    p.board().volts[4] = 12.0 - 12.0 / 100 * 10;
    p.board().volts[5] = -13.21;  // -12 rail just outside
    p.start();
    auto colour = [&](const char* name) { return p.main->form().require<ui::Label>(name).colour(); };
    EXPECT_EQ(colour("Label10"), ui::kColourBlack);
    EXPECT_EQ(colour("Label7"), ui::kColourBlack);
    EXPECT_EQ(colour("Label8"), ui::kColourRed);
}

TEST(PollCycle, SuspendAndResumeRestoreOnlyTheTimersThatRan) {
    Program p;
    p.start();
    auto& pause = p.main->form().require<ui::MenuItem>("pause1");
    p.main->Timer3().setEnabled(true);
    pause.click();
    EXPECT_FALSE(p.main->poll().polling());
    EXPECT_FALSE(p.main->Timer3().enabled());
    p.main->PopupMenu1Popup();
    EXPECT_EQ(pause.caption(), "Resume");

    // Reset in suspend mode: the grid shows 0, the poll count keeps its text.
    p.run(20);
    std::string polls = p.caption("UDTabPollsLabel");
    p.main->form().require<ui::Button>("UDTabResetSpeedButton").click();
    EXPECT_EQ(p.caption("UDTabCoreAverageLabel"), "0");
    EXPECT_EQ(p.caption("UDTabPollsLabel"), polls);
    p.run(60);
    EXPECT_EQ(p.record(TChannel::CoreVoltage).count, 0) << "nothing is read while suspended";

    pause.click();
    EXPECT_TRUE(p.main->poll().polling());
    EXPECT_TRUE(p.main->Timer3().enabled());
    EXPECT_FALSE(p.main->Timer2().enabled()) << "the swap timer did not run before";
    EXPECT_EQ(p.record(TChannel::CoreVoltage).count, 1) << "resume polls at once";
}

TEST(ChannelSettings, SourcesWithoutSmbusAndSwitchingASensorOff) {
    Program p;
    p.board().smbus = 0xFFFE;
    p.start();
    for (const char* list : {"Sensor1ComboBox", "Sensor2ComboBox", "Sensor3ComboBox"})
        EXPECT_EQ(p.main->form().require<ui::ComboBox>(list).items().size(), 6u) << list;

    auto& list = p.main->form().require<ui::ComboBox>("Sensor1ComboBox");
    list.select(0);  // None
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "--");
    EXPECT_FALSE(p.main->form().find("VUMeterWB1Panel")->visible());
    EXPECT_FALSE(p.channels().inUse(1));
    p.main->quickInfo().updateCaptions();
    EXPECT_EQ(p.main->form().require<ui::MenuItem>("MB").caption(), "Sensor 1: --");
    p.run(10);
    EXPECT_EQ(p.main->gauge(1).centerLabel(), "0°C") << "None reads as 0.0";
    EXPECT_EQ(p.main->compactHeight(), 70) << "no gauge panel shown";
}

TEST(ChannelSettings, SourceTableReadsTheRightOperation) {
    Program p;
    p.board().lm75[0x93] = 44;
    p.start();
    p.board().calls.clear();
    p.main->form().require<ui::ComboBox>("Sensor2ComboBox").select(7);  // "LM75 - 2"
    p.main->form().require<ui::ComboBox>("Sensor3ComboBox").select(2);  // "WinBond 2"
    p.board().calls.clear();
    p.run(10);
    EXPECT_EQ(p.board().calls, (std::vector<std::string>{"GetLM78Temp", "GetLMOutPut 147", "GetWinBondSensor2"}));
    EXPECT_EQ(p.main->gauge(2).centerLabel(), "44°C");
    EXPECT_EQ(p.main->gauge(3).centerLabel(), "40°C") << "sensor 3 rounds 40.5 to the even 40";
}

TEST(ChannelSettings, SpinButtonsStopAtTheirBounds) {
    Program p;
    p.start();
    auto& form = p.main->form();
    auto& offset = form.require<ui::SpinButton>("SpinButton18");
    for (int i = 0; i < 5; ++i) offset.down();
    EXPECT_EQ(p.caption("CheckBox53"), "Custom +-5");
    for (int i = 0; i < 80; ++i) offset.up();
    EXPECT_EQ(p.channels().compensationOffset(1), 50);
    for (int i = 0; i < 100; ++i) offset.down();
    EXPECT_EQ(p.channels().compensationOffset(1), -20);

    auto& core = form.require<ui::SpinButton>("SpinButton6");
    for (int i = 0; i < 40; ++i) core.up();
    EXPECT_EQ(p.caption("Label11"), "Core Voltage: 5.1Volt") << "the bound is tested before a step that drifts";
    for (int i = 0; i < 60; ++i) core.down();
    EXPECT_EQ(p.caption("Label11"), "Core Voltage: 1.0Volt");

    auto& p33 = form.require<ui::SpinButton>("SpinButton25");
    p33.up();
    EXPECT_EQ(p.caption("VMP33VoltageCheckBox"), "+3.4 Voltage");
    EXPECT_EQ(p.caption("Label131"), "+3.4 Voltage");
    EXPECT_EQ(p.caption("UDTabP33NameLabel"), "+3.4 Voltage");

    auto& interval = form.require<ui::SpinButton>("GenTabIntervalSpinButton");
    for (int i = 0; i < 70; ++i) interval.up();
    EXPECT_EQ(p.caption("GenTabIntervalLabel"), "Check at Intervals of 60 seconds");
    for (int i = 0; i < 70; ++i) interval.down();
    EXPECT_EQ(p.caption("GenTabIntervalLabel"), "Check at Intervals of 1 seconds");
}

TEST(ChannelSettings, FanTypeAndDivisor) {
    Program p;
    p.start();
    p.run(10);
    p.main->form().require<ui::RadioButton>("RadioButton24").click();  // fan 1 type 2
    EXPECT_EQ(p.caption("FMFan1RPMLabel"), "2250");
    p.board().calls.clear();
    p.main->form().require<ui::RadioButton>("RadioButton10").click();  // fan 1 divisor 4
    EXPECT_EQ(p.board().calls.front(), "SetLM78FanDiv 1 4");
    EXPECT_EQ(p.record(TChannel::CoreVoltage).count, 2) << "reset, then the reset's poll and the handler's own";
}

TEST(QuickInfo, CaptionsAndTheInformationWindow) {
    Program p(',');
    p.start();
    p.run(10);
    p.main->PopupMenu1Popup();
    auto& form = p.main->form();
    EXPECT_EQ(form.require<ui::MenuItem>("CORE").caption(), "Core: 2,05");
    EXPECT_EQ(form.require<ui::MenuItem>("FANnr3").caption(), "Fan 3 not available");
    EXPECT_EQ(form.require<ui::MenuItem>("pause1").caption(), "Suspend");

    form.require<ui::MenuItem>("Ne12").click();  // answered by its first button
    auto& info = p.main->information().window();
    EXPECT_EQ(info.require<ui::Label>("TitleLabel").caption(), "Quick info for: -12 Voltage");
    EXPECT_EQ(info.require<ui::Label>("CurrentLabel").caption(), "Current Value: : -11,90");
    EXPECT_EQ(info.require<ui::Label>("LowestLabel").caption(), "Lowest value: -11,90");
    form.require<ui::MenuItem>("FANnr3").click();
    EXPECT_EQ(info.require<ui::Label>("CurrentLabel").caption(), "Current Value: Fan 3 not available");
    EXPECT_EQ(info.require<ui::Label>("HighestLabel").caption(), "Highest value: 0");
}

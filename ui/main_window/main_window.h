#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/channel_settings.h"
#include "acquisition/information_window.h"
#include "acquisition/poll_cycle.h"
#include "acquisition/quick_info.h"
#include "acquisition/reading_display.h"
#include "acquisition/reading_set.h"
#include "acquisition/sensor_library.h"
#include "acquisition/up_down_statistics.h"
#include "alarms/alarm_checks.h"
#include "alarms/alarm_settings.h"
#include "alarms/cpu_idle.h"
#include "alarms/pc_speaker.h"
#include "alarms/shutdown_launch.h"
#include "alarms/warning_window.h"
#include "kvx_version.h"
#include "logs/interval_log.h"
#include "logs/log_file_management.h"
#include "logs/up_down_log.h"
#include "platform/scheduler.h"
#include "ui/main_window/system_info_panel.h"
#include "ui/model/controls.h"
#include "ui/model/timer.h"
#include "ui/model/vu_meter.h"
#include "ui/model/window.h"

namespace kvx::ui {

// The main window `Form1`: its frame, pages and tray menu, composed with the
// subsystems that own the controls on it.
class MainWindow {
public:
    MainWindow(platform::Scheduler& scheduler, acquisition::SensorLibrary& library, acquisition::NumberFormat number);

    Window& form() { return form_; }
    acquisition::TReadingSet& readings() { return readings_; }
    acquisition::ChannelSettings& channels() { return channels_; }
    acquisition::UpDownStatistics& statistics() { return statistics_; }
    acquisition::ReadingDisplay& display() { return display_; }
    acquisition::PollCycle& poll() { return poll_; }
    acquisition::QuickInfo& quickInfo() { return quickInfo_; }
    acquisition::InformationWindow& information() { return information_; }
    MenuItem& popupMenu() { return popupMenu_; }
    VUMeter& gauge(int sensor) { return *gauges_[sensor - 1]; }
    Timer& Timer2() { return timer2_; }
    Timer& Timer3() { return timer3_; }
    alarms::AlarmSettings& alarmSettings() { return alarmSettings_; }
    alarms::AlarmChecks& alarmChecks() { return alarmChecks_; }
    alarms::WarningWindow& warningWindow() { return warning_; }
    alarms::PcSpeaker& pcSpeaker() { return speaker_; }
    alarms::ShutdownLaunch& shutdown() { return shutdown_; }
    alarms::CpuIdleControl& cpuIdle() { return cpuIdle_; }
    SystemInfoPanel& systemInfo() { return systemInfo_; }
    logs::IntervalLog& intervalLog() { return intervalLog_; }
    logs::UpDownLogBoxes& upDownLog() { return upDownLog_; }
    logs::LogFileManagement& logFiles() { return logFiles_; }
    // The texts the window shows after the latest poll, as the interval log copies them.
    logs::DisplayedReadings shownReadings();

    // Shows the page chosen as "Tab on Top" (0..8: General .. CPUIdle).
    void SetActiveTab(int index) { pageControl_.setActivePageIndex(index); }
    // Runs each time the tray menu opens: live captions.
    void PopupMenu1Popup();

    // Window states: parked (hidden at left -5000), small (Show) and expanded (Show & Expand).
    void Hide1Click();
    void Show2Click();
    void Show1Click();
    void SpeedButton3Click();
    bool parked() const { return form_.bounds().left == kParkedLeft; }
    // The saved window position ("Form X", "Form Y").
    int formX = 0;
    int formY = 0;
    bool doubleClickSmall = true;
    // The screen the window is kept within when shown small.
    void setScreenSize(int width, int height) { screenWidth_ = width, screenHeight_ = height; }
    // Lays out the shown gauge panels and works out the compact window size.
    void SetVUMmeters();
    int compactWidth() const { return compactWidth_; }
    int compactHeight() const { return compactHeight_; }
    // Puts the +3.3 rail's name on every caption that shows it.
    void SetAll33VoltText();
    // Puts each sensor's and fan's name (the name fields) on every caption that shows it.
    void SetAllNameTexts();
    void SetAllSensorText(int sensor);
    void SetAllFanText(int fan);

    // Runs when the user chooses Exit, or Un-install, from the tray menu.
    Handler onExit;
    Handler onUninstall;

    static constexpr int kExpandedWidth = 572;
    static constexpr int kExpandedHeight = 314;
    static constexpr const char* kVersionText = kVersionCaption;
    static constexpr int kParkedLeft = -5000;
    static constexpr int kSmallWidth = 112;
    static constexpr int kSmallHeight = 160;

private:
    struct SelectorPage {
        Page* page;
        std::vector<Panel*> panels;
    };
    Page& addPage(const std::string& name, const std::string& caption);
    SelectorPage addSelectorPage(const std::string& pageName, const std::string& caption, const std::string& selector,
                                 const std::vector<std::pair<std::string, std::string>>& panels);
    // Pages, panels, gauges and the other controls that the subsystems place theirs on.
    bool buildFrame();
    void buildNames();
    void buildTrayOptions();
    void buildGeneralOptions();
    acquisition::ChannelSettingsPlaces channelPlaces();
    void sensorSwitchedOn(int sensor);
    void sensorSwitchedOff(int sensor);
    void wireChannelHooks(acquisition::SensorLibrary& library);
    alarms::AlarmPlaces alarmPlaces();
    alarms::AlarmSettingsSources alarmSettingsSources();
    alarms::AlarmServices alarmServices();
    void wireAlarms();
    // The shutdown launch, the cooler control and the system information panel.
    void wireOutsidePrograms();

    Window form_{"Form1"};
    acquisition::NumberFormat number_;
    acquisition::TReadingSet readings_;
    PageControl& pageControl_;
    std::map<std::string, SelectorPage> pages_;
    Page* compensationPage_ = nullptr;
    Page* upDownPage_ = nullptr;
    std::array<Panel*, 3> gaugePanels_{};
    std::array<VUMeter*, 3> gauges_{};
    std::array<Label*, 3> gaugeNames_{};
    std::array<Edit*, 6> names_{};  // Edit1..Edit6: fans 1-3, sensors 1-3
    RadioButton* trayShowMode_ = nullptr;
    RadioButton* traySwapMode_ = nullptr;
    std::array<CheckBox*, 3> trayShowBoxes_{};
    std::array<CheckBox*, 3> traySwapBoxes_{};
    Label& versionLabel_;
    Button& expandButton_;
    Timer& timer2_;
    Timer& timer3_;
    MenuItem& popupMenu_;
    MenuItem& uninstallItem_;
    MenuItem& quickCheckMenu_;
    MenuItem& showExpandItem_;
    MenuItem& showItem_;
    MenuItem& hideItem_;
    MenuItem& pauseItem_;
    MenuItem& exitItem_;
    int screenWidth_ = 1024;
    int screenHeight_ = 768;
    bool horizontalGauges_ = false;
    int compactWidth_ = 112;
    int compactHeight_ = 160;

    bool frameBuilt_ = buildFrame();
    acquisition::ReadingDisplay display_;
    acquisition::ChannelSettings channels_;
    acquisition::UpDownStatistics statistics_;
    acquisition::PollCycle poll_;
    acquisition::InformationWindow information_;
    acquisition::QuickInfo quickInfo_;
    alarms::PcSpeaker speaker_;
    alarms::AlarmSettings alarmSettings_;
    alarms::WarningWindow warning_;
    alarms::AlarmChecks alarmChecks_;
    alarms::ShutdownLaunch shutdown_;
    alarms::CpuIdleControl cpuIdle_;
    SystemInfoPanel systemInfo_;
    logs::IntervalLog intervalLog_;
    logs::UpDownLogBoxes upDownLog_;
    logs::LogFileManagement logFiles_;
};

}  // namespace kvx::ui

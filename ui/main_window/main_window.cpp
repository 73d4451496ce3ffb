#include "ui/main_window/main_window.h"

#include <algorithm>

namespace kvx::ui {

MainWindow::MainWindow(platform::Scheduler& scheduler, acquisition::SensorLibrary& library,
                       acquisition::NumberFormat number)
    : number_(number),
      pageControl_(form_.add<PageControl>(nullptr, "PageControl1")),
      versionLabel_(form_.add<Label>(nullptr, "Label28")),
      expandButton_(form_.add<Button>(nullptr, "SpeedButton3")),
      timer2_(form_.add<Timer>(nullptr, "Timer2", scheduler)),
      timer3_(form_.add<Timer>(nullptr, "Timer3", scheduler)),
      popupMenu_(form_.add<MenuItem>(nullptr, "PopupMenu1")),
      uninstallItem_(form_.add<MenuItem>(&popupMenu_, "UnInstallExit1")),
      quickCheckMenu_(form_.add<MenuItem>(&popupMenu_, "QuickCheck1")),
      showExpandItem_(form_.add<MenuItem>(&popupMenu_, "Show1")),
      showItem_(form_.add<MenuItem>(&popupMenu_, "Show2")),
      hideItem_(form_.add<MenuItem>(&popupMenu_, "Hide1")),
      pauseItem_(form_.add<MenuItem>(&popupMenu_, "pause1")),
      exitItem_(form_.add<MenuItem>(&popupMenu_, "Exit1")),
      tovelItem_(form_.add<MenuItem>(&popupMenu_, "TovelBeer1")),
      display_(form_, nullptr),
      channels_(form_, channelPlaces(), number),
      statistics_(form_, upDownPage_),
      poll_(form_, pages_["GenTabTabSheet"].panels[0], scheduler,
            {library, readings_, channels_, statistics_, display_, gauges_}),
      quickInfo_(form_, quickCheckMenu_, gauges_, display_, statistics_, information_),
      speaker_(
          form_, pages_["GenTabTabSheet"].panels[1], scheduler,
          [&library](int pitch) { library.startPCSpeaker(static_cast<uint16_t>(pitch)); },
          [&library] { library.stopPCSpeaker(); }),
      alarmSettings_(form_, alarmPlaces(), alarmSettingsSources()),
      alarmChecks_(alarmSettings_, warning_, alarmServices()),
      shutdown_(form_, pages_["SHDNTabTabSheet"].panels[0], pages_["SHDNTabTabSheet"].panels[1], scheduler, {}),
      cpuIdle_(form_,
               {pages_["CPUIdleTabTabSheet"].panels[0], pages_["CPUIdleTabTabSheet"].panels[1],
                pages_["CPUIdleTabTabSheet"].panels[2]},
               {}),
      systemInfo_(form_, pages_["GenTabTabSheet"].panels[2]),
      intervalLog_(form_, timer3_,
                   {pages_["LogTabTabSheet"].panels[1], pages_["GenTabTabSheet"].panels[1], &popupMenu_}),
      upDownLog_(form_, pages_["LogTabTabSheet"].panels[0]),
      logFiles_(form_, {pages_["LogTabTabSheet"].panels[0], pages_["LogTabTabSheet"].panels[1], &popupMenu_}),
      tray_(form_, timer2_, trayPlaces(), traySources()) {
    form_.setCaption("Korvex");
    form_.setBounds({200, 200, kExpandedWidth, kExpandedHeight});
    versionLabel_.setCaption(kVersionText);
    expandButton_.setCaption("4");
    expandButton_.glyphFont = "Marlett";
    timer2_.setInterval(5000);
    intervalLog_.setIntervalMs(60000);

    buildMenu();
    expandButton_.onClick = [this] { SpeedButton3Click(); };
    intervalLog_.addTrayLogItem(logFiles_.viewItem());
    intervalLog_.addTrayLogItem(logFiles_.eraseItem());

    quickInfo_.sources.sensorName = [this](int sensor) { return names_[3 + sensor - 1]->text(); };
    quickInfo_.sources.fanName = [this](int fan) { return names_[fan - 1]->text(); };
    statistics_.pollNow = [this] { poll_.pollNow(); };
    wireChannelHooks(library);
    auto* degree = &form_.require<CheckBox>("CheckBox20");
    degree->onClick = [this, degree] {
        channels_.setDegree(degree->checked() ? "\xC2\xB0" : "");
        alarmSettings_.refreshLabels();
    };
    wireAlarms();
    wireOutsidePrograms();
    wireTray();
    SetVUMmeters();
}

logs::DisplayedReadings MainWindow::shownReadings() {
    logs::DisplayedReadings shown;
    shown.clockRateMhz = readings_.cpuClockMHz;
    for (int i = 0; i < 3; ++i) shown.temperatures[i] = gauges_[i]->centerLabel();
    // The log's column order puts -5 before +12.
    using acquisition::Rail;
    const Rail railOrder[] = {Rail::Core, Rail::P33, Rail::P5, Rail::N5, Rail::P12, Rail::N12};
    for (int i = 0; i < 6; ++i) shown.rails[i] = display_.railLabel(railOrder[i]).caption();
    for (int fan = 1; fan <= 3; ++fan) shown.fans[fan - 1] = display_.fanLabel(fan).caption();
    return shown;
}

bool MainWindow::buildFrame() {
    pageControl_.setBounds({288, 0, 273, 281});
    addSelectorPage("GenTabTabSheet", "General", "GenTabComboBox",
                    {{"GenTabGeneral1Panel", "General 1"},
                     {"GenTabGeneral2Panel", "General 2"},
                     {"GenTabSystemInfoPanel", "System Info"}});
    addSelectorPage("AlarmTabTabSheet", "Alarms", "ComboBox4",
                    {{"Panel13", "Motherboard"}, {"Panel14", "CPU (LM75)"}, {"Panel12", "WB Sensor 2"}});
    addSelectorPage("VoltTabTabSheet", "Voltages", "ComboBox6",
                    {{"Panel20", "Voltage Settings"}, {"Panel21", "+3.3 Settings"}});
    addSelectorPage("FanTabTabSheet", "Fan's", "ComboBox1",
                    {{"Panel1", "Fan Settings"}, {"Panel2", "Fan 1"}, {"Panel7", "Fan 2"}, {"Panel8", "Fan 3"}});
    compensationPage_ = &addPage("CompTabTabSheet", "Compensation");
    addSelectorPage(
        "VisTabTabSheet", "Visual", "ComboBox5",
        {{"Panel18", "Visual Settings"}, {"Panel19", "Names"}, {"Panel23", "Tooltip"}, {"Panel28", "System Tray"}});
    addSelectorPage("LogTabTabSheet", "Log", "ComboBox10", {{"Panel29", "Log General"}, {"Panel30", "Interval Log"}});
    upDownPage_ = &addPage("UDTabTabSheet", "Up/Down");
    addSelectorPage("CPUIdleTabTabSheet", "CPUIdle", "ComboBox8",
                    {{"Panel24", "CPUIdle Settings"}, {"Panel25", "Info/Reset"}, {"Panel26", "About CPUIdle"}});
    addSelectorPage("SHDNTabTabSheet", "SHDN!", "ComboBox2",
                    {{"Panel9", "SHDN! Settings"}, {"Panel22", "About SHDN!"}});

    const char* gaugeNames[3] = {"VUMeterWB1", "VUMeterLM75", "VUMeterWB2"};
    const char* labelNames[3] = {"Label124", "Label125", "Label126"};
    for (int i = 0; i < 3; ++i) {
        auto& panel = form_.add<Panel>(nullptr, std::string(gaugeNames[i]) + "Panel");
        panel.setBounds({0, 8 + 62 * i, 86, 62});
        auto& gauge = form_.add<VUMeter>(&panel, gaugeNames[i]);
        setUpMainWindowGauge(gauge, i);
        auto& name = form_.add<Label>(&panel, labelNames[i]);
        name.setCaption("Sensor " + std::to_string(i + 1));
        name.setBounds({0, 48, 86, 14});
        name.centred = true;
        gaugePanels_[i] = &panel;
        gauges_[i] = &gauge;
        gaugeNames_[i] = &name;
    }
    versionLabel_.setBounds({8, 272, 70, 13});
    expandButton_.setBounds({88, 24, 15, 15});
    buildNames();
    buildTrayOptions();
    buildGeneralOptions();
    buildGeneral2Options();
    return true;
}

Page& MainWindow::addPage(const std::string& name, const std::string& caption) {
    auto& page = form_.add<Page>(&pageControl_, name);
    page.setCaption(caption);
    page.setBounds({4, 24, 265, 253});
    pageControl_.addPage(page);
    pages_[name] = {&page, {}};
    return page;
}

MainWindow::SelectorPage MainWindow::addSelectorPage(const std::string& pageName, const std::string& caption,
                                                     const std::string& selectorName,
                                                     const std::vector<std::pair<std::string, std::string>>& panels) {
    Page& page = addPage(pageName, caption);
    auto& selector = form_.add<ComboBox>(&page, selectorName);
    selector.setBounds({4, 4, 140, 21});
    std::vector<std::string> items;
    SelectorPage& entry = pages_[pageName];
    for (const auto& [panelName, item] : panels) {
        items.push_back(item);
        auto& panel = form_.add<Panel>(&page, panelName);
        panel.setBounds({0, 28, 265, 225});
        panel.setVisible(entry.panels.empty());
        entry.panels.push_back(&panel);
    }
    selector.setItems(items);
    selector.setItemIndex(0);
    // Exactly the chosen panel is visible.
    selector.onChange = [&selector, panelList = entry.panels] {
        for (size_t i = 0; i < panelList.size(); ++i)
            panelList[i]->setVisible(static_cast<int>(i) == selector.itemIndex());
    };
    return entry;
}

namespace {
const char* const kNameFields[6] = {"Fan1", "Fan2", "Fan3", "Sensor1", "Sensor2", "Sensor3"};
}  // namespace

void MainWindow::buildNames() {
    Panel* panel = pages_["VisTabTabSheet"].panels[1];
    const char* defaults[6] = {"Fan 1", "Fan 2", "Fan 3", "Sensor 1", "Sensor 2", "Sensor 3"};
    for (int i = 0; i < 6; ++i) {
        auto& edit = form_.add<Edit>(panel, "Edit" + std::to_string(i + 1));
        edit.maxLength = i < 3 ? 9 : 11;
        edit.setText(defaults[i]);
        edit.setBounds({100, 8 + 26 * i, 100, 21});
        auto& caption = form_.add<Label>(panel, std::string("VisTab") + kNameFields[i] + "NameLabel");
        caption.setCaption(std::string(defaults[i]) + " name:");
        caption.setBounds({8, 12 + 26 * i, 88, 13});
        names_[i] = &edit;
        // Every keystroke spreads the name.
        edit.onChange = [this, i] {
            if (i < 3) SetAllFanText(i + 1);
            else SetAllSensorText(i - 2);
        };
    }
}

void MainWindow::buildTrayOptions() {
    Panel* panel = pages_["VisTabTabSheet"].panels[3];
    trayShowMode_ = &form_.add<RadioButton>(panel, "RadioButton18", "TrayMode");
    trayShowMode_->setCaption("Show temperature in System Tray");
    trayShowMode_->setBounds({8, 8, 220, 17});
    trayShowMode_->setChecked(true);
    traySwapMode_ = &form_.add<RadioButton>(panel, "RadioButton19", "TrayMode");
    traySwapMode_->setCaption("Swap temperature in System Tray");
    traySwapMode_->setBounds({8, 90, 220, 17});
    const char* showBoxes[3] = {"CheckBox23", "CheckBox25", "CheckBox66"};
    const char* swapBoxes[3] = {"CheckBox80", "CheckBox81", "CheckBox82"};
    for (int i = 0; i < 3; ++i) {
        trayShowBoxes_[i] = &form_.add<CheckBox>(panel, showBoxes[i]);
        trayShowBoxes_[i]->setBounds({24, 28 + 18 * i, 150, 17});
        traySwapBoxes_[i] = &form_.add<CheckBox>(panel, swapBoxes[i]);
        traySwapBoxes_[i]->setBounds({24, 110 + 18 * i, 150, 17});
    }
    trayShowBoxes_[0]->setCheckedSilently(true);
}

void MainWindow::buildGeneralOptions() {
    Panel* general1 = pages_["GenTabTabSheet"].panels[0];
    struct Box {
        const char* name;
        const char* caption;
        bool checked;
        int top;
    };
    for (const Box& b : {Box{"GenTabRunOnStartupCheckBox", "Run on Windows startup", false, 130},
                         Box{"GenTabStartInTrayCheckBox", "Startup in system tray", true, 150},
                         Box{"GenTabEnableExitQCheckBox", "Enable Exit Question", true, 170}}) {
        auto& box = form_.add<CheckBox>(general1, b.name);
        box.setCaption(b.caption);
        box.setCheckedSilently(b.checked);
        box.setBounds({8, b.top, 200, 17});
    }
    // The window's degree string follows "Use degree symbol in window".
    auto& degree = form_.add<CheckBox>(pages_["VisTabTabSheet"].panels[0], "CheckBox20");
    degree.setCaption("Use degree symbol in window");
    degree.setCheckedSilently(true);
    degree.setBounds({8, 8, 200, 17});
}

acquisition::ChannelSettingsPlaces MainWindow::channelPlaces() {
    acquisition::ChannelSettingsPlaces places;
    places.sourcePanel = pages_["GenTabTabSheet"].panels[0];
    places.compensationPage = compensationPage_;
    places.roundFahrenheitPanel = pages_["VisTabTabSheet"].panels[0];
    places.coreSettingsPanel = pages_["VoltTabTabSheet"].panels[0];
    places.p33Panel = pages_["VoltTabTabSheet"].panels[1];
    places.fanSettingsPanel = pages_["FanTabTabSheet"].panels[0];
    return places;
}

void MainWindow::wireChannelHooks(acquisition::SensorLibrary& library) {
    auto& hooks = channels_.hooks;
    hooks.pollNow = [this] { poll_.pollNow(); };
    hooks.sensorSwitchedOn = [this](int sensor) { sensorSwitchedOn(sensor); };
    hooks.sensorSwitchedOff = [this](int sensor) { sensorSwitchedOff(sensor); };
    hooks.setFanDivisor = [&library](int fan, int divisor) { library.setFanDivisor(fan, divisor); };
    hooks.resetStatistics = [this] { statistics_.UDTabResetSpeedButtonClick(); };
    hooks.unitSwitched = [this](const acquisition::TemperatureTextRules& rules) { statistics_.switchUnit(rules); };
    hooks.p33NameChanged = [this](const std::string&) { SetAll33VoltText(); };
}

void MainWindow::sensorSwitchedOn(int sensor) {
    int i = sensor - 1;
    if (trayShowMode_->checked()) trayShowBoxes_[i]->setEnabled(true);
    if (traySwapMode_->checked()) traySwapBoxes_[i]->setEnabled(true);
    gaugePanels_[i]->setVisible(true);
    SetVUMmeters();
}

void MainWindow::sensorSwitchedOff(int sensor) {
    int i = sensor - 1;
    trayShowBoxes_[i]->setEnabled(false);
    trayShowBoxes_[i]->setChecked(false);
    traySwapBoxes_[i]->setEnabled(false);
    traySwapBoxes_[i]->setChecked(false);
    gaugePanels_[i]->setVisible(false);
    SetVUMmeters();
    gauges_[i]->setCenterLabel("--");
    gauges_[i]->setPosition(0);
}

void MainWindow::SetVUMmeters() {
    int shown = 0;
    for (Panel* panel : gaugePanels_) {
        if (!panel->visible()) continue;
        if (horizontalGauges_) panel->setPosition(86 * shown, 0);
        else panel->setPosition(0, 62 * shown);
        ++shown;
    }
    Button& unit = channels_.unitButton();
    if (horizontalGauges_) {
        unit.setPosition(86 * shown + 2, 8);
        expandButton_.setPosition(86 * shown + 2, 24);
        versionLabel_.setPosition(fullWidth_ - 8 - versionLabel_.bounds().width, 4);
        compactWidth_ = std::max(86 * shown + 30, 86);
        compactHeight_ = 86;
    } else {
        unit.setPosition(88, 8);
        expandButton_.setPosition(88, 24);
        versionLabel_.setPosition(8, 272);
        compactWidth_ = 112;
        compactHeight_ = std::max(62 * shown + 30, 70);
    }
}

void MainWindow::SetAll33VoltText() {
    std::string text = channels_.p33NameText();
    display_.monitorBox(acquisition::Rail::P33).setCaption(text);
    form_.require<Label>("Label131").setCaption(text);
    statistics_.nameLabel(acquisition::TChannel::P33Voltage).setCaption(text);
}

void MainWindow::Hide1Click() {
    if (!parked()) {
        formX = form_.bounds().left;
        formY = form_.bounds().top;
    }
    form_.setPosition(kParkedLeft, form_.bounds().top);
    form_.setVisible(false);
}

void MainWindow::Show2Click() {
    form_.setVisible(false);
    doubleClickSmall = true;
    display_.voltageGroup().setVisible(false);
    expandButton_.setCaption("4");
    // The small window is the compact size of the gauge layout, so that every
    // gauge switched on is in view (a fixed 112 x 160 would cut the third one off).
    const int width = compactWidth_;
    const int height = compactHeight_;
    int top = formY;
    if (screenHeight_ - 26 - height < formY) top = screenHeight_ - 26 - height;
    int left = formX;
    if (screenWidth_ - width < formX) left = screenWidth_ - width;
    form_.setBounds({std::max(left, 0), std::max(top, 0), width, height});
    form_.stayOnTop = true;
    form_.setVisible(true);
}

void MainWindow::Show1Click() {
    form_.setVisible(false);
    doubleClickSmall = false;
    display_.voltageGroup().setVisible(true);
    expandButton_.setCaption("3");
    // Kept on the screen as the small window is, so that a place saved by the
    // small window near an edge does not push most of the full one off-screen.
    const int left = std::min(formX, screenWidth_ - fullWidth_);
    const int top = std::min(formY, screenHeight_ - 26 - fullHeight_);
    form_.setBounds({std::max(left, 0), std::max(top, 0), fullWidth_, fullHeight_});
    form_.stayOnTop = false;
    form_.setVisible(true);
    // Every page selector starts again at its first panel; the CPUIdle list and
    // the tray style selector go back to what they hold, with their handlers run.
    for (const char* name : {"ComboBox1", "GenTabComboBox", "ComboBox4", "ComboBox5", "ComboBox6"})
        form_.require<ComboBox>(name).select(0);
    cpuIdle_.setMonitoredSensor(cpuIdle_.monitoredSensor());
    for (const char* name : {"ComboBox8", "ComboBox9", "ComboBox10", "ComboBox2"})
        form_.require<ComboBox>(name).select(0);
    // Nothing is waiting to be applied on a freshly shown CPUIdle page.
    cpuIdle_.applyButton().setEnabled(false);
    tabOnTopList_->setItemIndex(tabOnTop_);
    // The launch way shows the stored choice again. All three ways exist here
    // (powering off is a way of its own on this system), so none is removed.
    shutdown_.setWay(shutdown_.way());
}

void MainWindow::SpeedButton3Click() {
    bool wasExpanded = form_.bounds().width >= fullWidth_;
    Hide1Click();
    if (wasExpanded) Show2Click();
    else Show1Click();
}

void MainWindow::SetAllSensorText(int sensor) {
    const std::string& name = names_[3 + sensor - 1]->text();
    gaugeNames_[sensor - 1]->setCaption(name);
    statistics_.nameLabel(static_cast<acquisition::TChannel>(sensor - 1)).setCaption(name);
    // The "Alarms" selector lists the sensors by name and goes back to its first panel.
    auto& alarmsList = form_.require<ComboBox>("ComboBox4");
    alarmsList.setItem(sensor - 1, name);
    alarmsList.select(0);
    trayShowBoxes_[sensor - 1]->setCaption(name);
    traySwapBoxes_[sensor - 1]->setCaption(name);
    tray_.setSensorName(sensor, name);
    const char* groups[3] = {"GroupBox23", "GroupBox32", "GroupBox31"};
    form_.require<Group>(groups[sensor - 1]).setCaption(name + " Compensation");
    shutdown_.sensorBox(sensor).setCaption(name);
    cpuIdle_.setSensorName(sensor, name);
    alarmSettings_.sensorAlarmGroup(sensor).setCaption(name + " Alarm Settings");
    alarmSettings_.sensorScaleGroup(sensor).setCaption(name + " Maximum Scale");
}

void MainWindow::SetAllFanText(int fan) {
    const std::string& name = names_[fan - 1]->text();
    display_.fanNameLabel(fan).setCaption(name);
    tray_.setFanName(fan, name);
    placeFanSpeed(fan);
    statistics_.nameLabel(static_cast<acquisition::TChannel>(static_cast<int>(acquisition::TChannel::Fan1) + fan - 1))
        .setCaption(name);
    // The "Fan's" selector lists the fans by name and goes back to "Fan Settings".
    auto& fansList = form_.require<ComboBox>("ComboBox1");
    fansList.setItem(fan, name);
    fansList.select(0);
    alarmSettings_.fanAlarmGroup(fan).setCaption(name + " Alarm Settings");
}

void MainWindow::placeFanSpeed(int fan) {
    // The name label fits its text; the speed follows 10 pixels to its right.
    Label& name = display_.fanNameLabel(fan);
    Bounds b = name.bounds();
    b.width = measureText(name.caption());
    name.setBounds(b);
    Label& speed = display_.fanLabel(fan);
    speed.setPosition(b.left + b.width + 10, speed.bounds().top);
}

void MainWindow::SetAllNameTexts() {
    for (int fan = 1; fan <= 3; ++fan) SetAllFanText(fan);
    for (int sensor = 1; sensor <= 3; ++sensor) SetAllSensorText(sensor);
}

void MainWindow::PopupMenu1Popup() {
    bool isParked = form_.bounds().left < -kExpandedWidth;
    showExpandItem_.setEnabled(isParked);
    showItem_.setEnabled(isParked);
    hideItem_.setEnabled(!isParked);
    quickInfo_.updateCaptions();
    pauseItem_.setCaption(poll_.polling() ? "Suspend" : "Resume");
}

}  // namespace kvx::ui

#include "settings/settings_table.h"

#include "settings/hive_names.h"

#include <vector>

namespace kvx::settings {
namespace {

constexpr Colour kClBlack{0x000000};
constexpr Colour kClSilver{0xC0C0C0};

SettingRow row(int read, std::string_view name, SettingValue fallback, std::string_view description) {
    SettingRow made;
    made.readNumber = read;
    made.name = name;
    made.writeName = name;
    made.type = typeOf(fallback);
    made.defaultValue = std::move(fallback);
    made.description = description;
    return made;
}

SettingRow integer(int read, std::string_view name, std::int32_t fallback, std::string_view description) {
    return row(read, name, fallback, description);
}

SettingRow boolean(int read, std::string_view name, bool fallback, std::string_view description) {
    return row(read, name, fallback, description);
}

SettingRow real(int read, std::string_view name, double fallback, std::string_view description) {
    return row(read, name, fallback, description);
}

SettingRow text(int read, std::string_view name, std::string_view fallback, std::string_view description) {
    return row(read, name, std::string(fallback), description);
}

SettingRow colour(int read, std::string_view name, Colour fallback, std::string_view description) {
    return row(read, name, fallback, description);
}

// A name field: `designTime` is its text until the names are read; `fixed` is
// what it shows when the stored name is missing or empty.
SettingRow name(int read, std::string_view name, std::string_view designTime, std::string_view fixed,
                std::string_view description) {
    SettingRow made = text(read, name, designTime, description);
    made.fixedName = fixed;
    return made;
}

SettingRow writtenAs(SettingRow made, std::string_view writeName) {
    made.writeName = writeName;
    return made;
}

std::vector<SettingRow> buildRows() {
    return {
        real(1, "MB Tempature Scale", 60.0,
             "scale maximum of sensor 1's gauge (VUMeterWB1); its presence marks a completed first run"),
        integer(2, "MB Tempature Alarm", 50, "alarm temperature of sensor 1"),
        boolean(3, "MB Alarm", true, "CheckBox3 \"Enable Alarm\" (box \"Motherboard Alarm Settings\")"),
        boolean(4, "MB Alarm Run", false, "CheckBox5 \"On Alarm run:\""),
        text(5, "MB Alarm Path", "", "program run on sensor 1's alarm; shown in Label21"),
        boolean(6, "MB Alarm Wave", false, "CheckBox17 \"On Alarm play:\""),
        text(7, "MB Alarm Wave Path", "", "wave file played on sensor 1's alarm; shown in Label25"),
        real(8, "CPU Tempature Scale", 80.0, "scale maximum of sensor 2's gauge (VUMeterLM75)"),
        integer(9, "CPU Tempature Alarm", 70, "alarm temperature of sensor 2"),
        boolean(10, "CPU Alarm", true, "CheckBox14 \"Enable Alarm\" (box \"CPU Alarm\")"),
        boolean(11, "CPU Alarm Run", false, "CheckBox12 \"On  Alarm run:\""),
        text(12, "CPU Alarm Path", "", "program for sensor 2's alarm; shown in Label12"),
        boolean(13, "CPU Alarm Wave", false, "CheckBox18 \"On Alarm play:\""),
        text(14, "CPU Alarm Wave Path", "", "wave for sensor 2's alarm; shown in Label26"),
        real(15, "Voltage Off", 10.0, "voltage alarm threshold in percent off nominal; 0.5..20 in steps of 0.5"),
        boolean(16, "Voltage Alarm", true, "CheckBox2 \"Enable Alarm\" (box \"Voltage Alarm Settings\")"),
        boolean(17, "Voltage Alarm Run", false, "CheckBox16 \"On Voltage Alarm run:\""),
        text(18, "Voltage Alarm Path", "", "program for the voltage alarm; shown in Label24"),
        boolean(19, "Volt Alarm Wave", false, "CheckBox19 \"On Voltage Alarm play:\""),
        text(20, "Volt Alarm Wave Path", "", "wave for the voltage alarm; shown in Label27"),
        boolean(21, "VCore", true,
                "VMCoreVoltageCheckBox \"Core Voltage\" (box \"Voltage Monitor\"): the core voltage "
                "is watched by the voltage alarm"),
        boolean(22, "V33", true, "VMP33VoltageCheckBox \"+3.3 Voltage\""),
        boolean(23, "V5", true, "VMP5VoltageCheckBox \"+5 Voltage\""),
        boolean(24, "Vm5Core", true, "VMN5VoltageCheckBox \"-5 Voltage\""),
        boolean(25, "V12", true, "VMP12VoltageCheckBox \"+12 Voltage\""),
        boolean(26, "Vm12", true, "VMN12VoltageCheckBox \"-12 Voltage\""),
        boolean(27, "Port 1", false,
                "RadioButton2 \"Port 1\" (off means RadioButton1 \"Port 0\" stays chosen): which "
                "voltage input carries the core voltage"),
        real(28, "CoreVoltage", 2.8, "nominal core voltage; 1.0..5.0 in steps of 0.1"),
        // The writer stores the letter opposite to the one the unit button shows.
        text(29, "C or F", "C",
             "temperature unit shown: exactly \"C\" is Celsius, any other text (also empty) Fahrenheit; "
             "read into the caption of the unit button SpeedButton2"),
        integer(30, "Form Y", 0, "saved top of the window"),
        integer(31, "Form X", 0, "saved left of the window"),
        boolean(32, "Round F", true,
                "CheckBox1, the box that rounds Fahrenheit values (caption \"Round \" + degree string + \"F\")"),
        boolean(33, "Show Temp in Tray", true, "RadioButton18 \"Show temperature in System Tray\""),
        boolean(34, "Show CPU Temp", false, "CheckBox25: tray icon of sensor 2 shown"),
        // Read as "Interval", written as "InterVal": one value, as names match in any case.
        writtenAs(integer(35, "Interval", 10000, "poll interval, interval of Timer1; 1000..60000 in steps of 1000"),
                  "InterVal"),
        boolean(36, "Startup Minimized", true, "GenTabStartInTrayCheckBox \"Startup in system tray\""),
        // True means the degree symbol IS used, despite the name.
        boolean(37, "Do Not Use Degree", true, "CheckBox20 \"Use degree symbol in window\""),
        boolean(38, "Use SystemTray Lines", true, "CheckBox21 \"Use lines in system tray\""),
        boolean(39, "Degree Symbol In Tray", true, "CheckBox22 \"Use degree symbol in system tray\""),
        boolean(40, "Check CPU", false,
                "in-use flag of sensor 2 (its source is not \"None\"); recomputed at the end of "
                "start-up from \"Sensor 2\""),
        boolean(41, "Check MB", true, "in-use flag of sensor 1; recomputed from \"Sensor 1\""),
        boolean(42, "Tovel", false, "shows the tray menu item \"Tovel Beer Can Holder\""),
        boolean(43, "Fan1 Check", false, "CheckBox28 \"Enable Alarm\" (box \"Fan 1 Alarm Settings\")"),
        boolean(44, "Fan2 Check", false, "CheckBox29, the same for fan 2"),
        boolean(45, "Fan3 Check", false, "CheckBox30, the same for fan 3"),
        real(46, "Fan1 Users RPM", 0.0, "user-defined expected speed of fan 1 in RPM; 0..32000 in steps of 100"),
        real(47, "Fan2 Users RPM", 0.0, "the same for fan 2"),
        real(48, "Fan3 Users RPM", 0.0, "the same for fan 3"),
        integer(49, "Fan1 Off Mark", 10, "fan 1 alarm band: percent off the expected speed, above or below; 0..50"),
        integer(50, "Fan2 Off Mark", 10, "the same for fan 2"),
        integer(51, "Fan3 Off Mark", 10, "the same for fan 3"),
        text(52, "Fan1 Alarm Path", "", "program for fan 1's alarm; shown in Label81"),
        text(53, "Fan2 Alarm Path", "", "program for fan 2's alarm; Label83"),
        text(54, "Fan3 Alarm Path", "", "program for fan 3's alarm; Label85"),
        text(55, "Fan1 Alarm Wave Path", "", "wave for fan 1's alarm; Label82"),
        text(56, "Fan2 Alarm Wave Path", "", "wave for fan 2's alarm; Label84"),
        text(57, "Fan3 Alarm Wave Path", "", "wave for fan 3's alarm; Label86"),
        boolean(58, "Fan1 Alarm", false, "CheckBox31 \"On Fan Alarm run:\""),
        boolean(59, "Fan2 Alarm", false, "CheckBox33 \"On Fan Alarm run:\""),
        boolean(60, "Fan3 Alarm", false, "CheckBox35 \"On Fan Alarm run:\""),
        boolean(61, "Fan1 Alarm Wave", false, "CheckBox32 \"On Fan Alarm play:\""),
        boolean(62, "Fan2 Alarm Wave", false, "CheckBox34 \"On Fan Alarm play:\""),
        boolean(63, "Fan3 Alarm Wave", false, "CheckBox36 \"On Fan Alarm play:\""),
        boolean(64, "Log File", false, "CheckBox37 \"Write Interval Log\""),
        boolean(65, "Write Errors", false, "CheckBox41 \"Write Warnings to Log File\""),
        integer(66, "Log File Size Max", 64,
                "interval-log size limit in Kb (\"Stop Writing at 64Kb\"); changed in steps of 4"),
        integer(67, "Log File Interval", 60000,
                "interval of the interval-log timer Timer3; 60000..12000000 in steps of 60000"),
        boolean(68, "Show Log On Pop Up", false, "CheckBox42 \"Show Log Options On Popup Menu\""),
        boolean(69, "Double Click Small", true,
                "a double click on a tray icon opens the small window (Show) rather than Show & "
                "Expand; set by the last of the two used"),
        integer(70, "Tab on Top", 0,
                "page shown first when the window is expanded: index 0..8 into \"General\", "
                "\"Temperatures\", \"Voltages\", \"Fan's\", \"Compensation\", \"Visual\", \"Log\", "
                "\"Up's & Downs\", \"CPU Idle\""),
        boolean(71, "Exit Question", true, "GenTabEnableExitQCheckBox \"Enable Exit Question\""),
        boolean(72, "Save Up and Down on Exit", false, "CheckBox39 \"Save Up/Down Log when Exiting\""),
        boolean(73, "Fan1 Show Alarm Msg", true, "CheckBox40 \"Show Msg\" (fan 1)"),
        boolean(74, "Fan2 Show Alarm Msg", true, "CheckBox44 \"Show Msg\" (fan 2)"),
        boolean(75, "Fan3 Show Alarm Msg", true, "CheckBox46 \"Show Msg\" (fan 3)"),
        boolean(76, "Fan1 PC Speaker", true, "CheckBox43 \"PC Speaker\" (fan 1)"),
        boolean(77, "Fan2 PC Speaker", true, "CheckBox45 \"PC Speaker\" (fan 2)"),
        boolean(78, "Fan3 PC Speaker", true, "CheckBox47 \"PC Speaker\" (fan 3)"),
        boolean(79, "MB Show Alarm Msg", true, "CheckBox13 \"Show Msg\" (sensor 1)"),
        boolean(80, "CPU Show Alarm Msg", true, "CheckBox49 \"Show Msg\" (sensor 2)"),
        boolean(81, "Volt Show Alarm Msg", true, "CheckBox51 \"Show Msg\" (voltages)"),
        boolean(82, "MB PC Speaker", true, "CheckBox48 \"PC Speaker\" (sensor 1)"),
        boolean(83, "CPU PC Speaker", true, "CheckBox50 \"PC Speaker\" (sensor 2)"),
        boolean(84, "Volt PC Speaker", true, "CheckBox52 \"PC Speaker\" (voltages)"),
        integer(85, "PC Speaker Freq", 500,
                "pitch of the PC speaker tone, position of the slider GenTabPCFreqTrackBar (200..3000)"),
        boolean(86, "Use LM78 Compensation", false,
                "CheckBox53 (box \"Sensor 1\" on the \"Compensation\" page); its click handler does "
                "not run while it is set"),
        integer(87, "LM78 Compensation", 0,
                "sensor 1 compensation offset; -20..50; shown as \"Custom +\" + value on CheckBox53"),
        integer(88, "Ignore Fan Alarm", 5, "number of fan alarms ignored (\"Ignore Fan Alarm 5 Times\"); 0..50"),
        // The name fields have two texts: the design-time text, kept when reading stops
        // before the names, and the fixed name an empty field gets once they are read.
        name(89, "Fan 1 Name", "Fan 1", "Fan 1", "Edit1, at most 9 characters"),
        name(90, "Fan 2 Name", "Fan 2", "Fan 2", "Edit2, at most 9 characters"),
        name(91, "Fan 3 Name", "Fan 3", "Fan 3", "Edit3, at most 9 characters"),
        name(92, "VUM 1 Name", "Sensor 1", "Motherboard", "Edit4, name of sensor 1, at most 11 characters"),
        name(93, "VUM 2 Name", "Sensor 2", "CPU LM75", "Edit5, name of sensor 2, at most 11 characters"),
        name(94, "VUM 3 Name", "Sensor 3", "WB Sensor 2", "Edit6, name of sensor 3, at most 11 characters"),
        real(95, "Sensor 2 Temperature Scale", 80.0, "scale maximum of sensor 3's gauge (VUMeterWB2)"),
        integer(96, "WB Sensor 2 Tempature Alarm", 70, "alarm temperature of sensor 3"),
        boolean(97, "WB Sensor 2 Show Alarm Msg", true, "CheckBox59 \"Show Msg\" (sensor 3)"),
        boolean(98, "WB Sensor 2 PC Speaker", true, "CheckBox60 \"PC Speaker\" (sensor 3)"),
        boolean(99, "WB Sensor 2 Alarm Run", false, "CheckBox57 \"On Alarm run:\" (box \"WB Sensor 2 Alarm\")"),
        text(100, "WB Sensor 2 Alarm Path", "", "program for sensor 3's alarm; shown in Label40"),
        boolean(101, "WB Sensor 2 Alarm", true, "CheckBox56 \"Enable Alarm\" (sensor 3)"),
        boolean(102, "WB Sensor 2 Alarm Play", false, "CheckBox58 \"On Alarm play:\" (sensor 3)"),
        text(103, "WB Sensor 2 Alarm Wave Path", "", "wave for sensor 3's alarm; shown in Label92"),
        boolean(104, "Show WB Sensor 2 Temp", false, "CheckBox66: tray icon of sensor 3 shown"),
        boolean(105, "Check WB2", false, "in-use flag of sensor 3; recomputed from \"Sensor 3\""),
        // The compensation names cross over: box "Sensor 3" keeps its state in "Use WB2
        // Compensation" and its offset in "WB3 Compensation"; box "Sensor 2" the other pair.
        // Stored settings depend on this pairing.
        boolean(106, "Use WB2 Compensation", false,
                "CheckBox68, the check box of the box \"Sensor 3\" on the \"Compensation\" page"),
        integer(107, "WB2 Compensation", 0,
                "offset set with the spin button of the box \"Sensor 2\"; -20..50; shown as \"Custom "
                "+\" + value on CheckBox69"),
        boolean(108, "Use WB3 Compensation", false, "CheckBox69, the check box of the box \"Sensor 2\""),
        integer(109, "WB3 Compensation", 0,
                "offset set with the spin button of the box \"Sensor 3\"; -20..50; shown on CheckBox68"),
        real(110, "3.3 Custom Value", 3.3,
             "nominal value of the +3.3 V line (\"Customize +3.3\"); 3.0..4.0 in steps of 0.1"),
        boolean(111, "Show MB Temp", true, "CheckBox23: tray icon of sensor 1 shown"),
        boolean(112, "Tooltip VUM1", true, "CheckBox70: sensor 1 in the tooltip"),
        boolean(113, "Tooltip VUM2", false, "CheckBox71: sensor 2 in the tooltip"),
        boolean(114, "Tooltip VUM3", false, "CheckBox72: sensor 3 in the tooltip"),
        boolean(115, "Tooltip Fan1", false, "CheckBox74: fan 1 in the tooltip"),
        boolean(116, "Tooltip Fan2", false, "CheckBox75: fan 2 in the tooltip"),
        boolean(117, "Tooltip Fan3", false, "CheckBox76: fan 3 in the tooltip"),
        boolean(118, "Tooltip On All", false,
                "RadioButton7 \"I want these tool tips on all icons\" (off leaves RadioButton6 \"I "
                "want these tool tips only on the IC icon\" chosen)"),
        integer(119, "Sensor to Monitor for CPUIdle", 0,
                "index of the sensor chosen in ComboBox7 (\"Select your CPU sensor:\")"),
        boolean(120, "Use CPUIdle", false, "CheckBox77 \"Launch CPUIdle \""),
        integer(121, "CPUIdle Alarm Value", 45, "launch threshold"),
        boolean(122, "Close CPUIdle", false, "CheckBox78 \"Close CPUIdle \""),
        integer(123, "CPUIdle Close Value", 40, "close threshold"),
        boolean(124, "Swap Icons", false, "RadioButton19 \"Swap temperature in System Tray\""),
        boolean(125, "Swap WB1", false, "CheckBox80: sensor 1 in the swap"),
        boolean(126, "Swap LM75", false, "CheckBox81: sensor 2 in the swap"),
        boolean(127, "Swap WB2", false, "CheckBox82: sensor 3 in the swap"),
        integer(128, "Swap Interval", 5000, "interval of the swap timer Timer2; 1000..10000 in steps of 1000"),
        text(129, "WB1 Font Name", "Arial", "font name of sensor 1's tray icon"),
        colour(130, "WB1 Background", kClSilver, "background colour of sensor 1's tray icon"),
        colour(131, "WB1 Font Color", kClBlack, "font colour of sensor 1's tray icon"),
        integer(132, "WB1 Font Size", 8, "font size in points of sensor 1's tray icon"),
        text(133, "LM75 Font Name", "Arial", "the same for sensor 2"),
        colour(134, "LM75 Background", kClSilver, "the same for sensor 2"),
        colour(135, "LM75 Font Color", kClBlack, "the same for sensor 2"),
        integer(136, "LM75 Font Size", 8, "the same for sensor 2"),
        text(137, "WB2 Font Name", "Arial", "the same for sensor 3"),
        colour(138, "WB2 Background", kClSilver, "the same for sensor 3"),
        colour(139, "WB2 Font Color", kClBlack, "the same for sensor 3"),
        integer(140, "WB2 Font Size", 8, "the same for sensor 3"),
        boolean(141, "Log Files CSV", false, "CheckBox84 \"CSV \" (box \"Write Interval Log as:\")"),
        boolean(142, "Log Files TXT", true, "CheckBox4 \"TXT\" (interval log)"),
        boolean(143, "Log Files HTM", true, "CheckBox7 \"HTML\" (interval log)"),
        boolean(144, "Warn/UpDown Files TXT", true, "CheckBox6 \"TXT\" (box \"Write Warning and Up/Down Log as:\")"),
        boolean(145, "Warn/UpDown Files HTM", true, "CheckBox79 \"HTML\" (same box)"),
        boolean(146, "Loop Waves", false, "GenTabLoopWavesCheckBox \"Loop Alarm Waves\""),
        boolean(147, "Fan1 Type 1", true, "RadioButton23 \"1\" (\"Fan 1 Type:\")"),
        boolean(148, "Fan1 Type 2", false, "RadioButton24 \"2\" (\"Fan 1 Type:\")"),
        boolean(149, "Fan2 Type 1", true, "RadioButton21 \"1\" (\"Fan 2 Type:\")"),
        boolean(150, "Fan2 Type 2", false, "RadioButton22 \"2\" (\"Fan 2 Type:\")"),
        boolean(151, "Fan3 Type 1", true, "RadioButton13 \"1\" (\"Fan 3 Type:\")"),
        boolean(152, "Fan3 Type 2", false, "RadioButton14 \"2\" (\"Fan 3 Type:\")"),
        boolean(153, "Fan1 Div 1", false, "RadioButton15 \"1\" (\"Fan 1 Div:\")"),
        boolean(154, "Fan1 Div 2", true, "RadioButton9 \"2\""),
        boolean(155, "Fan1 Div 4", false, "RadioButton10 \"4\""),
        boolean(156, "Fan1 Div 8", false, "RadioButton16 \"8\""),
        boolean(157, "Fan2 Div 1", false, "RadioButton17 \"1\" (\"Fan 2 Div:\")"),
        boolean(158, "Fan2 Div 2", true, "RadioButton11 \"2\""),
        boolean(159, "Fan2 Div 4", false, "RadioButton12 \"4\""),
        boolean(160, "Fan2 Div 8", false, "RadioButton20 \"8\""),
        text(161, "CSV Symbol", ";",
             "Edit8, a one-character field on the \"General 2\" page: field separator of the CSV "
             "interval log"),
        text(162, "Form Font Name", "Arial", "name of the form font"),
        colour(163, "Form Font Color", kClBlack, "colour of the form font"),
        integer(164, "Form Font Size", 8, "size of the form font"),
        integer(165, "Sensor 1", 4,
                "source of sensor 1: index into \"None\", \"WinBond 1\", \"WinBond 2\", \"WinBond "
                "3\", \"LM78\", \"LM79\", \"LM75 - 1\" .. \"LM75 - 8\" (0..13); 4 = \"LM78\""),
        integer(166, "Sensor 2", 0, "source of sensor 2, same list; 0 = \"None\""),
        integer(167, "Sensor 3", 0, "source of sensor 3, same list"),
        boolean(168, "SHDN - Enabled", false, "CheckBox11 \"Enable ShutDown NOW! for:\""),
        boolean(169, "SHDN - Sensor 1", false, "CheckBox8: sensor 1 may launch ShutDown NOW!"),
        boolean(170, "SHDN - Sensor 2", false, "CheckBox9: sensor 2"),
        boolean(171, "SHDN - Sensor 3", false, "CheckBox10: sensor 3"),
        integer(172, "SHDN - way", 0,
                "launch mode, index into \"Shut Down the System \", \"Shut Down the System with "
                "Force\", \"Poweroff System\""),
        integer(173, "SHDN - Timer", 15000, "ShutDown NOW! countdown; 6000..60000 in steps of 1000, shown in seconds"),
        boolean(174, "VUMeters Horizontal", false, "CheckBox15 \"Show VUMeters Horizontal\""),
        text(0, kKvxPathName, "",
             "full path of the running program file; written at every start and with all settings"),
    };
}

const std::vector<SettingRow>& rows() {
    static const std::vector<SettingRow> table = buildRows();
    return table;
}

}  // namespace

std::span<const SettingRow> settingRows() { return rows(); }

std::span<const SettingRow> readRows() { return settingRows().first(kReadCount); }

const SettingRow* findSetting(std::string_view name) {
    for (const SettingRow& row : rows()) {
        if (hive_names::same(row.name, name) || hive_names::same(row.writeName, name)) return &row;
    }
    return nullptr;
}

}  // namespace kvx::settings

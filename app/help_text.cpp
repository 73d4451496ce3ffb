#include "app/help_text.h"

#include "app/program.h"

namespace kvx::app {

const HelpText& helpText() {
    static const HelpText text{
        "korvex [options]",
        "Watches the mainboard's temperatures, supply rails and fans from the notification area.",
        "Korvex shows its readings as icons in the notification area: a double click opens\n"
        "the window, a right click the menu. With --headless it runs without windows, on a\n"
        "server or as the user service korvex-headless.service.",
        {
            {"--headless", "", "no windows or tray; message boxes go to standard error"},
            {"--virtual-time", "", "with --headless: time jumps from timer to timer"},
            {"--run-for", "SECONDS", "end after this long, as at a system shut-down"},
            {"--script", "FILE", "run the commands of FILE at their times"},
            {"--dump", "FILE", "write the state of every window as JSON at the end"},
            {"--program-folder", "DIR", "keep the log files in DIR"},
            {"--config-dir", "DIR", "keep the settings in DIR"},
            {"--sensor-library", "PATH", "read the sensors through this library"},
            {"--scenario", "FILE", "the simulated board's scenario"},
            {"--metrics-dir", "DIR", "write DIR/korvex.prom for node_exporter after every poll"},
            {"--list-sensors", "",
             "show the sensors the library found and which feeds which\n"
             "reading of the program, then end (needs no display)"},
            {"--help", "", "show this text"},
            {"--version", "", "show the version"},
        },
        {
            {"KORVEX_CONFIG_DIR", "", "the settings folder when --config-dir is not given"},
            {"KORVEX_SENSOR_LIBRARY", "",
             "the sensor library when --sensor-library is not given; else libkvx.so\n"
             "beside the program, or in /usr/lib/korvex/ when installed"},
            {"XDG_CONFIG_HOME", "", "settings go to $XDG_CONFIG_HOME/korvex (default ~/.config/korvex)"},
            {"XDG_STATE_HOME", "", "logs go to $XDG_STATE_HOME/korvex (default ~/.local/state/korvex)"},
            {"XDG_RUNTIME_DIR", "", "home of the one-copy lock and the window messages (else /tmp/korvex-UID)"},
            {"DISPLAY, WAYLAND_DISPLAY", "", "the desktop to show the tray icon on (not needed with --headless)"},
            {"KVX_SIM_TRACE", "", "the simulated board appends its fan divisor and speaker calls to this file"},
        },
        {
            {"~/.config/korvex/user.reg", "", "the settings, a registry export that is replaced atomically"},
            {"~/.config/korvex/machine.reg", "",
             "machine-wide values of one user, read only; when absent,"
             "\n/etc/korvex/machine.reg"},
            {"/etc/korvex/machine.reg", "", "machine-wide values, read only: the uninstall command"},
            {"~/.local/state/korvex/", "",
             "the log files (kvxlog, kvxwarnlog, updown) when installed;"
             "\nbeside the program when run from a build folder"},
            {"~/.config/autostart/Korvex.desktop", "", "written by \"Run on Windows startup\" on the General page"},
            {"/usr/lib/korvex/libkvx.so", "",
             "the sensor library over libsensors (libkvx-sim.so: the simulated board)"},
            {"/usr/lib/korvex/korvex-desktop.so", "", "the windows and tray icons, loaded only for a desktop run"},
        },
        {
            {std::to_string(kExitOk), "", "the program ended normally"},
            {std::to_string(kExitFailure), "", "the settings could not be saved at the end"},
            {std::to_string(kExitBadInput), "", "a bad option, an unreadable file, or no display or desktop module\nwithout --headless"},
            {std::to_string(kExitAlreadyRunning), "", "another copy is already running (it is asked to come forward)"},
        },
    };
    return text;
}

}  // namespace kvx::app

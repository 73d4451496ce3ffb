#pragma once
#include <string>
#include <string_view>

#include "platform/autostart.h"
#include "platform/linux/posix_file_system.h"

namespace kvx::platform::linux_backend {

// Login start entries as freedesktop.org autostart files:
// "<folder>/<safeFileName(name)>.desktop", so "Korvex" is Korvex.desktop and
// "Korvex 2.5" is Korvex%202.5.desktop.
// An entry counts as present unless it says Hidden=true or
// X-GNOME-Autostart-enabled=false, which is how desktops record an entry the
// user switched off.
class XdgAutostart final : public Autostart {
public:
    // `folder`: normally defaultAutostartFolder(); created on the first write.
    explicit XdgAutostart(std::string folder);

    bool exists(const std::string& name) override;
    FsStatus write(const std::string& name, const std::string& programPath) override;
    FsStatus remove(const std::string& name) override;

    std::string entryPath(const std::string& name) const;

private:
    std::string folder_;
    PosixFileSystem files_;
};

// $XDG_CONFIG_HOME/autostart when XDG_CONFIG_HOME is an absolute path, else
// $HOME/.config/autostart.
std::string defaultAutostartFolder();

// The text of an autostart entry that starts `programPath` with no arguments.
// Empty when the path cannot be written in an entry (not absolute, or holding
// control characters other than tab and line ends).
std::string desktopEntryText(std::string_view name, std::string_view programPath);

// `path` as one argument of an Exec line, as the Desktop Entry rules ask: in
// double quotes, with double quote, backquote, dollar and backslash escaped by
// a backslash and % doubled; the whole then escaped as a string value
// (backslash, line feed, tab, carriage return).
std::string execArgument(std::string_view path);

// Whether an entry's text asks to start its program at login: it has a
// [Desktop Entry] group and that group sets neither Hidden=true nor
// X-GNOME-Autostart-enabled=false.
bool entryStartsAtLogin(std::string_view text);

}  // namespace kvx::platform::linux_backend

#include "platform/linux/xdg_autostart.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/linux/safe_file_name.h"

namespace kvx::platform::linux_backend {
namespace {

// Escapes of a string value in a desktop file.
std::string escapeValue(std::string_view text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case '\n': escaped += "\\n"; break;
            case '\t': escaped += "\\t"; break;
            case '\r': escaped += "\\r"; break;
            case ' ':
                escaped += i == 0 ? "\\s" : " ";  // a leading blank would be trimmed
                break;
            default: escaped += c;
        }
    }
    return escaped;
}

bool hasForbiddenControl(std::string_view text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) return true;
    }
    return false;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

FsStatus failedStatus(std::string message) {
    FsStatus status;
    status.kind = FsStatus::Kind::Failed;
    status.message = std::move(message);
    return status;
}

}  // namespace

std::string execArgument(std::string_view path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';  // %% is a literal percent, not a field code
        quoted += c;
    }
    quoted += '"';
    return escapeValue(quoted);
}

std::string desktopEntryText(std::string_view name, std::string_view programPath) {
    if (programPath.empty() || programPath.front() != '/' || hasForbiddenControl(programPath)) return {};
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + escapeValue(name) + "\n";
    text += "Exec=" + execArgument(programPath) + "\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool entryStartsAtLogin(std::string_view text) {
    bool inEntryGroup = false;
    bool sawEntryGroup = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            sawEntryGroup = sawEntryGroup || inEntryGroup;
            continue;
        }
        if (!inEntryGroup) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "Hidden" && value == "true") return false;
        if (key == "X-GNOME-Autostart-enabled" && value == "false") return false;
    }
    return sawEntryGroup;
}

std::string defaultAutostartFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/autostart";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] != '\0' ? home : "/tmp") + "/.config/autostart";
}

XdgAutostart::XdgAutostart(std::string folder) : folder_(std::move(folder)) {}

std::string XdgAutostart::entryPath(const std::string& name) const {
    return folder_ + "/" + safeFileName(name) + ".desktop";
}

bool XdgAutostart::exists(const std::string& name) {
    if (name.empty()) return false;
    const FileContent content = files_.readFile(entryPath(name));
    return content.status.ok() && entryStartsAtLogin(content.bytes);
}

FsStatus XdgAutostart::write(const std::string& name, const std::string& programPath) {
    if (name.empty()) return failedStatus("an autostart name must not be empty");
    const std::string text = desktopEntryText(name, programPath);
    if (text.empty()) return failedStatus("cannot start \"" + programPath + "\" at login: not an absolute path");
    FsStatus status = files_.createFolders(folder_);
    if (!status.ok()) return status;
    return files_.replaceFile(entryPath(name), text);
}

FsStatus XdgAutostart::remove(const std::string& name) {
    if (name.empty()) return failedStatus("an autostart name must not be empty");
    const std::string path = entryPath(name);
    if (::unlink(path.c_str()) == 0) return FsStatus::success();
    const int error = errno;
    FsStatus status;
    status.kind = error == ENOENT ? FsStatus::Kind::NotFound : FsStatus::Kind::Failed;
    status.message = "unlink " + path + ": " + std::strerror(error);
    return status;
}

}  // namespace kvx::platform::linux_backend

#include "platform/window_messages.h"

#include <charconv>

namespace kvx::platform {
namespace {

// Reads one decimal field up to the next blank (or the end for the last one).
template <typename Number>
bool readField(std::string_view& text, Number& value, bool last) {
    const std::size_t blank = text.find(' ');
    if (last != (blank == std::string_view::npos)) return false;
    const std::string_view field = text.substr(0, blank);
    if (field.empty() || field.front() == '+') return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) return false;
    text.remove_prefix(last ? text.size() : blank + 1);
    return true;
}

}  // namespace

std::string formatWindowMessage(const WindowMessage& message) {
    return std::to_string(message.number) + ' ' + std::to_string(message.wparam) + ' ' + std::to_string(message.lparam);
}

std::optional<WindowMessage> parseWindowMessage(std::string_view text) {
    WindowMessage message;
    if (!readField(text, message.number, false)) return std::nullopt;
    if (!readField(text, message.wparam, false)) return std::nullopt;
    if (!readField(text, message.lparam, true)) return std::nullopt;
    return message;
}

}  // namespace kvx::platform

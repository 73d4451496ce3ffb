#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvx::app {

// A small streaming JSON writer: objects, arrays and scalars, with commas and
// escapes handled. Strings are UTF-8 and pass through unchanged but for the
// characters JSON requires escaped; bytes that are not UTF-8 (a stored setting
// may hold any) become U+FFFD, so the text is always valid JSON.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void string(std::string_view value);
    void boolean(bool value);
    void integer(int64_t value);
    void number(double value);
    const std::string& text() const { return out_; }

private:
    void separate();
    void appendEscaped(char c);  // one ASCII character
    std::string out_;
    std::vector<bool> hasItems_;
    bool afterKey_ = false;
};

}  // namespace kvx::app

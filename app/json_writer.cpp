#include "app/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kvx::app {

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back()) out_ += ',';
        hasItems_.back() = true;
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    hasItems_.push_back(false);
}

void JsonWriter::endObject() {
    bool had = hasItems_.back();
    hasItems_.pop_back();
    if (had) {
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
    out_ += '}';
    if (hasItems_.empty()) out_ += '\n';
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    hasItems_.push_back(false);
}

void JsonWriter::endArray() {
    bool had = hasItems_.back();
    hasItems_.pop_back();
    if (had) {
        out_ += '\n';
        out_.append(hasItems_.size() * 2, ' ');
    }
    out_ += ']';
}

void JsonWriter::key(std::string_view name) {
    string(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::string(std::string_view value) {
    separate();
    out_ += '"';
    for (unsigned char c : value) {
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out_ += buffer;
                } else {
                    out_ += static_cast<char>(c);
                }
        }
    }
    out_ += '"';
}

void JsonWriter::boolean(bool value) {
    separate();
    out_ += value ? "true" : "false";
}

void JsonWriter::integer(int64_t value) {
    separate();
    out_ += std::to_string(value);
}

void JsonWriter::number(double value) {
    separate();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, end);
}

}  // namespace kvx::app

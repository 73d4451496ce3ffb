#include "app/harness/json_writer.h"

#include "settings/utf8_text.h"

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
    namespace utf8 = settings::utf8_text;
    separate();
    out_ += '"';
    for (std::size_t position = 0; position < value.size();) {
        const utf8::Step step = utf8::next(value, position);
        if (!step.valid) {
            out_ += utf8::kReplacementUtf8;
        } else if (step.length > 1) {
            out_.append(value.substr(position, step.length));
        } else {
            appendEscaped(static_cast<char>(step.codePoint));
        }
        position += step.length;
    }
    out_ += '"';
}

void JsonWriter::appendEscaped(char c) {
    switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                out_ += buffer;
            } else {
                out_ += c;
            }
    }
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

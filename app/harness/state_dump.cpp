#include "app/harness/state_dump.h"

#include "app/harness/json_writer.h"
#include "settings/colour_text.h"

namespace kvx::app {
namespace {

class JsonProperties final : public ui::PropertySink {
public:
    explicit JsonProperties(JsonWriter& json) : json_(json) {}
    void text(const char* key, const std::string& value) override { json_.key(key), json_.string(value); }
    void boolean(const char* key, bool value) override { json_.key(key), json_.boolean(value); }
    void integer(const char* key, int64_t value) override { json_.key(key), json_.integer(value); }
    void number(const char* key, double value) override { json_.key(key), json_.number(value); }
    void colour(const char* key, ui::Colour value) override {
        json_.key(key), json_.string(settings::colourToText(value));
    }
    void textList(const char* key, const std::vector<std::string>& values) override {
        json_.key(key);
        json_.beginArray();
        for (const auto& v : values) json_.string(v);
        json_.endArray();
    }

private:
    JsonWriter& json_;
};

void describe(JsonWriter& json, const ui::Control& control) {
    json.key(control.qualifiedName());
    json.beginObject();
    JsonProperties properties(json);
    control.describe(properties);
    json.endObject();
}

}  // namespace

std::string stateDump(int64_t timeMs, const ui::WindowSet& windows, const std::vector<MessageLog::Entry>& messages,
                      const std::vector<EventLog::Entry>& events) {
    JsonWriter json;
    json.beginObject();
    json.key("time_ms");
    json.integer(timeMs);
    json.key("controls");
    json.beginObject();
    for (const ui::Window* window : windows.windows()) {
        describe(json, *window);
        for (const ui::Control* control : window->controls()) describe(json, *control);
    }
    json.endObject();
    json.key("messages");
    json.beginArray();
    for (const auto& m : messages) {
        json.beginObject();
        json.key("time_ms");
        json.integer(m.timeMs);
        json.key("title");
        json.string(m.title);
        json.key("text");
        json.string(m.text);
        json.endObject();
    }
    json.endArray();
    json.key("events");
    json.beginArray();
    for (const auto& e : events) {
        json.beginObject();
        json.key("time_ms");
        json.integer(e.timeMs);
        json.key("kind");
        json.string(e.kind);
        // An event without a detail is its kind alone: {"kind":"stopSound"}.
        if (e.fields.empty() && !e.detail.empty()) {
            json.key("detail");
            json.string(e.detail);
        }
        for (const auto& [name, value] : e.fields) {
            json.key(name);
            if (const auto* text = std::get_if<std::string>(&value)) json.string(*text);
            else if (const auto* flag = std::get_if<bool>(&value)) json.boolean(*flag);
            else json.integer(std::get<int64_t>(value));
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text();
}

}  // namespace kvx::app

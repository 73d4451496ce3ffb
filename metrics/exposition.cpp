#include "metrics/exposition.h"

#include <charconv>
#include <cmath>

namespace kvx::metrics {
namespace {

// Length of the UTF-8 sequence that starts `text` at `i`, or 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead == 0xED) length = 3, high = 0x9F;
    else if (lead >= 0xE1 && lead <= 0xEF) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    else return 0;
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

struct Family {
    const char* name;
    const char* type;
    const char* help;
};

void header(std::string& out, const Family& family) {
    out += std::string("# HELP ") + family.name + " " + family.help + "\n";
    out += std::string("# TYPE ") + family.name + " " + family.type + "\n";
}

using Labels = std::vector<std::pair<const char*, std::string>>;

void sample(std::string& out, const Family& family, const Labels& labels, double value) {
    out += family.name;
    if (!labels.empty()) {
        out += "{";
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (i) out += ",";
            out += std::string(labels[i].first) + "=\"" + escapeLabelValue(labels[i].second) + "\"";
        }
        out += "}";
    }
    out += " " + sampleValue(value) + "\n";
}

constexpr Family kTemperature{"korvex_temperature_celsius", "gauge",
                              "Temperature of a sensor after compensation, in degrees Celsius."};
constexpr Family kVoltage{"korvex_voltage_volts", "gauge", "Voltage of a supply rail, in volts."};
constexpr Family kOutOfBand{"korvex_voltage_out_of_band", "gauge",
                            "1 when the rail is further off its nominal value than the voltage alarm allows."};
constexpr Family kFan{"korvex_fan_rpm", "gauge", "Speed of a fan, in revolutions per minute."};
constexpr Family kArmed{"korvex_alarm_armed", "gauge", "1 while the alarm is enabled and will act when due."};
constexpr Family kAlarms{"korvex_alarms_total", "counter", "Alarms that acted since Korvex started."};
constexpr Family kPolls{"korvex_polls_total", "counter", "Polls of the sensors since Korvex started."};
constexpr Family kLastPoll{"korvex_last_poll_timestamp_seconds", "gauge", "Unix time of the latest poll."};
constexpr Family kLibrary{"korvex_sensor_library_info", "gauge", "The sensor library Korvex reads and its chip."};

}  // namespace

std::string escapeLabelValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size();) {
        const char c = value[i];
        if (c == '\\') out += "\\\\";
        else if (c == '"') out += "\\\"";
        else if (c == '\n') out += "\\n";
        const std::size_t length = utf8Length(value, i);
        if (c == '\\' || c == '"' || c == '\n') {
            i += 1;
        } else if (length == 0) {
            out += "\xEF\xBF\xBD";
            i += 1;
        } else {
            out.append(value.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string sampleValue(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "+Inf" : "-Inf";
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string expositionText(const Snapshot& s) {
    std::string out;
    header(out, kTemperature);
    for (const TemperatureSample& t : s.temperatures)
        if (t.celsius)
            sample(out, kTemperature, {{"sensor", std::to_string(t.sensor)}, {"name", t.name}, {"source", t.source}},
                   *t.celsius);
    header(out, kVoltage);
    for (const RailSample& r : s.rails)
        if (r.volts) sample(out, kVoltage, {{"rail", r.rail}}, *r.volts);
    header(out, kOutOfBand);
    for (const RailSample& r : s.rails)
        if (r.volts) sample(out, kOutOfBand, {{"rail", r.rail}}, r.outOfBand ? 1 : 0);
    header(out, kFan);
    for (const FanSample& f : s.fans)
        if (f.rpm) sample(out, kFan, {{"fan", std::to_string(f.fan)}, {"name", f.name}}, *f.rpm);
    header(out, kArmed);
    for (const AlarmSample& a : s.alarms) sample(out, kArmed, {{"alarm", a.alarm}}, a.armed ? 1 : 0);
    header(out, kAlarms);
    for (const AlarmSample& a : s.alarms) sample(out, kAlarms, {{"alarm", a.alarm}}, static_cast<double>(a.acted));
    header(out, kPolls);
    sample(out, kPolls, {}, static_cast<double>(s.polls));
    header(out, kLastPoll);
    sample(out, kLastPoll, {}, s.lastPollSeconds);
    header(out, kLibrary);
    sample(out, kLibrary, {{"library", s.library}, {"chip", s.chip}}, 1);
    return out;
}

}  // namespace kvx::metrics

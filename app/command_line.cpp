#include "app/command_line.h"

#include <charconv>
#include <cmath>

namespace kvx::app {
namespace {

struct ValueOption {
    const char* flag;
    std::string Options::*field;
};

constexpr ValueOption kFileOptions[] = {
    {"--script", &Options::scriptFile},
    {"--dump", &Options::dumpFile},
    {"--program-folder", &Options::programFolder},
    {"--config-dir", &Options::configDir},
    {"--sensor-library", &Options::sensorLibrary},
    {"--scenario", &Options::scenarioFile},
    {"--metrics-dir", &Options::metricsDir},
};

std::optional<double> parseSeconds(const std::string& text) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    Options& o = result.options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string inlineValue;
        bool hasInline = false;
        if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasInline = true;
        }
        auto takeValue = [&](std::string& into) -> bool {
            if (hasInline) {
                into = inlineValue;
            } else if (i + 1 < args.size()) {
                into = args[++i];
            } else {
                result.error = "option " + arg + " needs a value";
                return false;
            }
            if (into.empty()) {
                result.error = "option " + arg + " needs a non-empty value";
                return false;
            }
            return true;
        };
        auto noValue = [&]() -> bool {
            if (hasInline) result.error = "option " + arg + " takes no value";
            return !hasInline;
        };

        if (arg == "--headless") {
            if (!noValue()) return result;
            o.headless = true;
        } else if (arg == "--virtual-time") {
            if (!noValue()) return result;
            o.virtualTime = true;
        } else if (arg == "--help" || arg == "-h") {
            if (!noValue()) return result;
            o.help = true;
        } else if (arg == "--version") {
            if (!noValue()) return result;
            o.version = true;
        } else if (arg == "--list-sensors") {
            if (!noValue()) return result;
            o.listSensors = true;
        } else if (arg == "--run-for") {
            std::string text;
            if (!takeValue(text)) return result;
            o.runForSeconds = parseSeconds(text);
            if (!o.runForSeconds) {
                result.error = "option --run-for needs a positive number of seconds, not '" + text + "'";
                return result;
            }
        } else {
            bool known = false;
            for (const auto& option : kFileOptions) {
                if (arg != option.flag) continue;
                known = true;
                if (!takeValue(o.*(option.field))) return result;
            }
            if (!known) {
                result.error = arg.rfind('-', 0) == 0 ? "unknown option " + arg : "unexpected argument '" + arg + "'";
                return result;
            }
        }
    }
    if (o.virtualTime && !o.headless) result.error = "option --virtual-time works only with --headless";
    return result;
}

}  // namespace kvx::app

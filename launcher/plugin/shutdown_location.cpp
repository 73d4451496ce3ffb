#include "launcher/plugin/shutdown_location.h"

#include <cstdlib>

#include "settings/hive.h"

namespace kvx::launcher {

std::string locationFromHive(const std::string& hiveText) {
    const settings::HiveParseResult parsed = settings::Hive::parse(hiveText, "machine.reg");
    if (!parsed.hive) return {};
    const settings::HiveKey* key = parsed.hive->findKey(kLocationKey);
    const settings::HiveValue* value = key ? key->find(kLocationValue) : nullptr;
    return value && value->type == settings::HiveValueType::String ? value->text : std::string();
}

std::string configFolder() {
    auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    if (!env("KORVEX_CONFIG_DIR").empty()) return env("KORVEX_CONFIG_DIR");
    if (!env("XDG_CONFIG_HOME").empty()) return env("XDG_CONFIG_HOME") + "/korvex";
    if (!env("HOME").empty()) return env("HOME") + "/.config/korvex";
    return {};
}

}  // namespace kvx::launcher

#pragma once
// The per-board override: which chip and feature feed which operation, kept as
// string values of the key [HKEY_CURRENT_USER\Software\Korvex\Sensors] in user.reg.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "sensorlib/lmsensors/board_model.h"

namespace kvx::lmsensors {

// The hive key that holds the override values.
inline constexpr std::string_view kOverrideKey = "HKEY_CURRENT_USER\\Software\\Korvex\\Sensors";

// String values of the override key, names lower-cased (names match without
// regard to case). `error` ("FILE:LINE: reason") is non-empty, and `values`
// empty, when the file could not be read or is not a hive, when a line in the
// key could not be understood, or when the key holds a value that is not a
// string.
struct OverrideValues {
    std::map<std::string, std::string> values;
    std::string error;
    std::map<std::string, int> lines;  // lower-cased name -> the line that set it (for FILE:LINE)
};

// Reads the override key from the hive file at `path` with the settings hive
// reader. A missing or empty file is no error: it yields no values.
OverrideValues readOverrides(const std::string& path);

// The same over text already read; `fileName` prefixes error messages.
OverrideValues parseOverrideText(std::string_view text, std::string_view fileName);

// One channel's override: nothing, or a feature ("temp2", or a label such as
// "CPU Temp") on a chip (glob over full chip names; empty = the mainboard chip).
struct ChannelOverride {
    bool none = false;
    std::string chip;
    std::string feature;
    std::string text;  // the whole value: a label may itself hold a '/' ("M/B Temp")
};

struct Overrides {
    std::optional<std::string> chip;  // glob, or "none"
    std::optional<int> smbusAdapter;  // i2c adapter number, -1 = none
    std::array<std::optional<ChannelOverride>, kSlotCount> slots;
};

// Interprets the values. Returns false with `error` set for an unknown value
// name or a value of the wrong form (`faultyName`, when given, receives that
// value's lower-cased name); nothing is applied then.
bool interpretOverrides(const std::map<std::string, std::string>& values, Overrides& out, std::string& error,
                        std::string* faultyName = nullptr);

// The value name of a slot as written in the hive: "Core0" .. "LM75.8".
std::string slotValueName(Slot slot);

}  // namespace kvx::lmsensors

#pragma once
#include "settings/setting_value.h"

#include <span>
#include <string_view>

// Every value of the settings key as data: its stored name, type, built-in
// default and what it holds. Behaviour lives elsewhere; this table only says
// what is stored and in which order it is read.
namespace kvx::settings {

// The key that holds every setting, in the user hive (user.reg).
inline constexpr std::string_view kSettingsKeyPath = "HKEY_CURRENT_USER\\Software\\Korvex";

// A settings key without this value means the first run is still due.
inline constexpr std::string_view kFirstRunMarker = "MB Tempature Scale";

// Written at every start and with all settings; never read.
inline constexpr std::string_view kKvxPathName = "KVX Path";

inline constexpr int kReadCount = 174;

// The six name fields (reads 89-94): once the last of them has been read, every
// one that is empty gets its fixed name.
inline constexpr int kFirstNameRead = 89;
inline constexpr int kLastNameRead = 94;

struct SettingRow {
    int readNumber = 0;          // 1..174 in read order; 0 for "KVX Path", which is never read
    std::string_view name;       // exactly as stored and as the reader asks for it
    std::string_view writeName;  // as the writer stores it: the same as `name` except
                                 // "Interval", written as "InterVal" (names match in any case)
    SettingType type = SettingType::Integer;
    SettingValue defaultValue;     // built-in default, in force until a stored value replaces it
    std::string_view fixedName;    // reads 89-94: the text an empty name field gets; else empty
    std::string_view description;  // what the value holds and the control or state it feeds

    bool isRead() const { return readNumber > 0; }
};

// Every row in the order the writer stores them: the 174 read values in read
// order, then "KVX Path". The rows live for the whole run.
std::span<const SettingRow> settingRows();

// The 174 rows that are read, in read order (row i has read number i + 1).
std::span<const SettingRow> readRows();

// The row whose name or write name is `name` in any letter case, or nullptr.
const SettingRow* findSetting(std::string_view name);

}  // namespace kvx::settings

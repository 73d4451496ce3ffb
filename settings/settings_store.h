#pragma once
#include "platform/file_system.h"
#include "settings/hive.h"
#include "settings/hive_file.h"
#include "settings/settings_bindings.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reading and writing every setting of the settings key, driven by the table.
namespace kvx::settings {

enum class ReadOutcome {
    NoKey,        // there is no settings key: nothing read, every setting keeps its default
    FirstRunDue,  // the key exists without "MB Tempature Scale": nothing read
    Read,         // values read in read order, completely or up to the first failure
};

struct ReadReport {
    ReadOutcome outcome = ReadOutcome::NoKey;
    int lastApplied = 0;                    // read number of the last value applied; 174 when all were
    int stoppedAt = 0;                      // read number at which reading ended early (its value was not
                                            // applied, or its after-read step failed); 0 when it did not
    std::string stopReason;                 // why, for diagnostics only: reading never reports an error
    std::vector<std::string> fileMessages;  // what loading the hive file found (SettingsStore)

    bool complete() const { return outcome == ReadOutcome::Read && stoppedAt == 0; }
};

// Runs after read N has been applied, and only then; N goes from 1 to 174, so
// afterRead(174) means that every value was read. Whatever it throws ends the
// reading like a failed read, with stoppedAt = N. This is where the caller puts
// the steps tied to a point of the reading (after "Log File Interval", after the
// last value).
using AfterRead = std::function<void(int readNumber)>;

// Reads the settings key of `hive` into `bindings` in read order. Each value is
// applied right after it is read. The first value that cannot be read (see
// readSetting) or applied (the target throws) ends the reading silently: values
// before it stay applied, it and all later ones keep what they had. Once read 94
// is applied, each of the name fields (reads 89-94) that is empty gets its fixed
// name, before afterRead(94) runs.
ReadReport readSettings(const Hive& hive, SettingsBindings& bindings, const AfterRead& afterRead = {});

struct WriteReport {
    // Empty on success. "Failed to set data for 'NAME'" when a value could not be
    // written; the values after it were not written. When saving the file failed,
    // "Failed to save the settings: " and the system's reason: then nothing at all
    // reached the disk.
    std::string error;
    std::string failedValue;                // the value that could not be written, if one could not
    std::string detail;                     // why that value could not be written, for diagnostics
    std::vector<std::string> fileMessages;  // what loading the hive file found (SettingsStore)

    bool ok() const { return error.empty(); }
};

// "Failed to set data for 'NAME'".
std::string failedToSetData(std::string_view valueName);

// Writes every setting into the settings key of `hive` (creating the key) in
// writer order, each under its write name with its table type, "KVX Path"
// included. A value whose target throws or gives a value of another type is not
// written, and neither is any after it. Nothing is ever removed from the key.
WriteReport writeSettings(Hive& hive, const SettingsBindings& bindings);

// The start-up step: creates the settings key if missing and stores only
// "KVX Path" = `programPath` in it.
void writeKvxPath(Hive& hive, std::string_view programPath);

// The settings in the user hive file (user.reg). Every call loads the file afresh
// and every write saves it atomically through HiveFile, so values and keys that
// this table does not know survive, and a file that does not parse is kept aside
// and reported in fileMessages rather than overwritten.
class SettingsStore {
public:
    SettingsStore(platform::FileSystem& files, std::string userHivePath) : file_(files, std::move(userHivePath)) {}

    ReadReport read(SettingsBindings& bindings, const AfterRead& afterRead = {});

    // The values written before a failing one are saved, as they would be had
    // each been stored on its own; the values after it keep what the file held.
    WriteReport write(const SettingsBindings& bindings);

    WriteReport writeKvxPath(std::string_view programPath);

    const std::string& path() const { return file_.path(); }

private:
    void save(const Hive& hive, WriteReport& report);

    HiveFile file_;
};

}  // namespace kvx::settings

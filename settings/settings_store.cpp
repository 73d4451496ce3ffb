#include "settings/settings_store.h"

#include <exception>

namespace kvx::settings {
namespace {

// The text of what a target or hook threw. Anything thrown counts as a failure;
// the text is kept for diagnostics.
std::string currentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an error that carries no text";
    }
}

std::string readLabel(const SettingRow& row) {
    return "read " + std::to_string(row.readNumber) + " \"" + std::string(row.name) + "\"";
}

// Reading has reached the end of the name fields: give every empty one its fixed name.
void fillEmptyNames(SettingsBindings& bindings) {
    for (const SettingRow& row : readRows().subspan(kFirstNameRead - 1, kLastNameRead - kFirstNameRead + 1)) {
        const SettingValue value = bindings.current(row);
        if (const auto* text = std::get_if<std::string>(&value); text != nullptr && text->empty()) {
            bindings.apply(row, std::string(row.fixedName));
        }
    }
}

void stop(ReadReport& report, const SettingRow& row, std::string reason) {
    report.stoppedAt = row.readNumber;
    report.stopReason = std::move(reason);
}

}  // namespace

ReadReport readSettings(const Hive& hive, SettingsBindings& bindings, const AfterRead& afterRead) {
    ReadReport report;
    const HiveKey* key = hive.findKey(kSettingsKeyPath);
    if (key == nullptr) return report;
    if (key->find(kFirstRunMarker) == nullptr) {
        report.outcome = ReadOutcome::FirstRunDue;
        return report;
    }
    report.outcome = ReadOutcome::Read;

    for (const SettingRow& row : readRows()) {
        const SettingRead read = readSetting(*key, row.name, row.type);
        if (!read.ok()) {
            stop(report, row, readLabel(row) + ": " + read.failure);
            return report;
        }
        try {
            bindings.apply(row, *read.value);
        } catch (...) {
            stop(report, row,
                 readLabel(row) + ": applying " + describe(*read.value) + " failed: " + currentExceptionText());
            return report;
        }
        report.lastApplied = row.readNumber;
        try {
            if (row.readNumber == kLastNameRead) fillEmptyNames(bindings);
            if (afterRead) afterRead(row.readNumber);
        } catch (...) {
            stop(report, row, "after " + readLabel(row) + ": " + currentExceptionText());
            return report;
        }
    }
    return report;
}

std::string failedToSetData(std::string_view valueName) {
    return "Failed to set data for '" + std::string(valueName) + "'";
}

WriteReport writeSettings(Hive& hive, const SettingsBindings& bindings) {
    WriteReport report;
    HiveKey& key = hive.key(kSettingsKeyPath);
    for (const SettingRow& row : settingRows()) {
        std::string why;
        try {
            const SettingValue value = bindings.current(row);
            if (typeOf(value) == row.type) {
                writeSetting(key, row.writeName, value);
                continue;
            }
            why = "the value to store is " + std::string(typeName(typeOf(value))) + " " + describe(value) +
                  ", the setting is " + std::string(typeName(row.type));
        } catch (...) {
            why = currentExceptionText();
        }
        report.error = failedToSetData(row.writeName);
        report.failedValue = std::string(row.writeName);
        report.detail = std::move(why);
        return report;
    }
    return report;
}

void writeKvxPath(Hive& hive, std::string_view programPath) {
    hive.key(kSettingsKeyPath).setString(kKvxPathName, programPath);
}

ReadReport SettingsStore::read(SettingsBindings& bindings, const AfterRead& afterRead) {
    HiveLoad load = file_.load();
    ReadReport report = readSettings(load.hive, bindings, afterRead);
    report.fileMessages = std::move(load.messages);
    return report;
}

WriteReport SettingsStore::write(const SettingsBindings& bindings) {
    HiveLoad load = file_.load();
    WriteReport report = writeSettings(load.hive, bindings);
    report.fileMessages = std::move(load.messages);
    save(load.hive, report);
    return report;
}

WriteReport SettingsStore::writeKvxPath(std::string_view programPath) {
    HiveLoad load = file_.load();
    WriteReport report;
    report.fileMessages = std::move(load.messages);
    settings::writeKvxPath(load.hive, programPath);
    save(load.hive, report);
    return report;
}

void SettingsStore::save(const Hive& hive, WriteReport& report) {
    const platform::FsStatus saved = file_.save(hive);
    if (saved.ok()) {
        if (!file_.savedCopyPath().empty()) {
            report.fileMessages.push_back("the previous " + file_.path() + " is kept as " + file_.savedCopyPath());
        }
        return;
    }
    // Nothing reached the disk, so no single value is to blame.
    report.error = "Failed to save the settings: " + saved.message;
}

}  // namespace kvx::settings

#include "settings/hive.h"

#include "settings/hive_names.h"

#include <algorithm>

namespace kvx::settings {

const HiveValue* HiveKey::find(std::string_view name) const {
    for (const HiveValue& value : values_) {
        if (hive_names::same(value.name, name)) return &value;
    }
    return nullptr;
}

void HiveKey::set(HiveValue value) {
    for (HiveValue& existing : values_) {
        if (hive_names::same(existing.name, value.name)) {
            value.name = std::move(existing.name);
            existing = std::move(value);
            return;
        }
    }
    values_.push_back(std::move(value));
}

void HiveKey::setString(std::string_view name, std::string_view text) {
    HiveValue value;
    value.name = name;
    value.type = HiveValueType::String;
    value.text = text;
    set(std::move(value));
}

void HiveKey::setDword(std::string_view name, std::uint32_t dword) {
    HiveValue value;
    value.name = name;
    value.type = HiveValueType::Dword;
    value.dword = dword;
    set(std::move(value));
}

void HiveKey::setBinary(std::string_view name, std::vector<std::uint8_t> bytes) {
    HiveValue value;
    value.name = name;
    value.type = HiveValueType::Binary;
    value.bytes = std::move(bytes);
    set(std::move(value));
}

bool HiveKey::remove(std::string_view name) {
    const auto found = std::find_if(values_.begin(), values_.end(),
                                    [&](const HiveValue& value) { return hive_names::same(value.name, name); });
    if (found == values_.end()) return false;
    values_.erase(found);
    return true;
}

std::string HiveProblem::text() const {
    return fileName + ":" + std::to_string(line) + ": " + reason;
}

const HiveKey* Hive::findKey(std::string_view path) const {
    const std::string wanted = hive_names::normalizedPath(path);
    for (const HiveKey& key : keys_) {
        if (hive_names::same(key.path(), wanted)) return &key;
    }
    return nullptr;
}

HiveKey* Hive::findKey(std::string_view path) {
    return const_cast<HiveKey*>(static_cast<const Hive*>(this)->findKey(path));
}

HiveKey& Hive::key(std::string_view path) {
    if (HiveKey* existing = findKey(path)) return *existing;
    return keys_.emplace_back(hive_names::normalizedPath(path));
}

bool Hive::removeKey(std::string_view path) {
    const std::string wanted = hive_names::normalizedPath(path);
    const auto found = std::find_if(keys_.begin(), keys_.end(),
                                    [&](const HiveKey& key) { return hive_names::same(key.path(), wanted); });
    if (found == keys_.end()) return false;
    keys_.erase(found);
    return true;
}

}  // namespace kvx::settings

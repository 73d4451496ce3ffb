#include "settings/hive.h"

#include "settings/hive_names.h"

#include <iterator>

namespace kvx::settings {

// Both indexes hold names folded to one letter case, so that a lookup costs the
// same however many values or keys there are: loading a hive stays linear.

const HiveValue* HiveKey::find(std::string_view name) const {
    const auto found = index_.find(hive_names::folded(name));
    return found == index_.end() ? nullptr : &values_[found->second];
}

void HiveKey::set(HiveValue value) {
    const auto [slot, added] = index_.try_emplace(hive_names::folded(value.name), values_.size());
    if (added) {
        values_.push_back(std::move(value));
        return;
    }
    HiveValue& existing = values_[slot->second];
    value.name = std::move(existing.name);
    existing = std::move(value);
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
    const auto found = index_.find(hive_names::folded(name));
    if (found == index_.end()) return false;
    const std::size_t position = found->second;
    index_.erase(found);
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [folded, index] : index_) {
        if (index > position) --index;
    }
    return true;
}

std::string HiveProblem::text() const { return fileName + ":" + std::to_string(line) + ": " + reason; }

Hive::Hive(const Hive& other) : keys_(other.keys_) { rebuildIndex(); }

Hive& Hive::operator=(const Hive& other) {
    if (this != &other) {
        keys_ = other.keys_;
        rebuildIndex();
    }
    return *this;
}

void Hive::rebuildIndex() {
    index_.clear();
    for (auto key = keys_.begin(); key != keys_.end(); ++key) index_.emplace(hive_names::folded(key->path()), key);
}

const HiveKey* Hive::findKey(std::string_view path) const {
    const auto found = index_.find(hive_names::folded(hive_names::normalizedPath(path)));
    return found == index_.end() ? nullptr : &*found->second;
}

HiveKey* Hive::findKey(std::string_view path) {
    return const_cast<HiveKey*>(static_cast<const Hive*>(this)->findKey(path));
}

HiveKey& Hive::key(std::string_view path) {
    if (HiveKey* existing = findKey(path)) return *existing;
    const std::string normalized = hive_names::normalizedPath(path);
    keys_.emplace_back(normalized);
    index_.emplace(hive_names::folded(normalized), std::prev(keys_.end()));
    return keys_.back();
}

bool Hive::removeKey(std::string_view path) {
    const auto found = index_.find(hive_names::folded(hive_names::normalizedPath(path)));
    if (found == index_.end()) return false;
    keys_.erase(found->second);
    index_.erase(found);
    return true;
}

}  // namespace kvx::settings

#include "settings/settings_bindings.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace kvx::settings {
namespace {

class FunctionTarget final : public SettingTarget {
public:
    FunctionTarget(SettingsBindings::ApplyFunction apply, SettingsBindings::CurrentFunction current)
        : apply_(std::move(apply)), current_(std::move(current)) {}

    void apply(const SettingValue& value) override { apply_(value); }
    SettingValue current() const override { return current_(); }

private:
    SettingsBindings::ApplyFunction apply_;
    SettingsBindings::CurrentFunction current_;
};

}  // namespace

SettingsBindings::SettingsBindings() {
    for (const SettingRow& row : settingRows()) slots_.push_back(Slot{nullptr, row.defaultValue});
}

std::size_t SettingsBindings::indexOf(const SettingRow& row) const {
    const std::span<const SettingRow> rows = settingRows();
    const std::less<> before;
    if (before(&row, rows.data()) || !before(&row, rows.data() + rows.size())) {
        throw std::invalid_argument("setting row \"" + std::string(row.name) + "\" is not from the settings table");
    }
    return static_cast<std::size_t>(&row - rows.data());
}

std::size_t SettingsBindings::indexOf(std::string_view name) const {
    const SettingRow* row = findSetting(name);
    if (row == nullptr) throw std::invalid_argument("no setting named \"" + std::string(name) + "\"");
    return indexOf(*row);
}

void SettingsBindings::bind(std::string_view name, std::unique_ptr<SettingTarget> target) {
    if (!target) throw std::invalid_argument("null target for setting \"" + std::string(name) + "\"");
    slots_[indexOf(name)].target = std::move(target);
}

void SettingsBindings::bind(std::string_view name, ApplyFunction apply, CurrentFunction current) {
    if (!apply || !current) throw std::invalid_argument("empty function for setting \"" + std::string(name) + "\"");
    bind(name, std::make_unique<FunctionTarget>(std::move(apply), std::move(current)));
}

void SettingsBindings::unbind(std::string_view name) {
    const std::size_t index = indexOf(name);
    slots_[index].target.reset();
    slots_[index].held = settingRows()[index].defaultValue;
    slots_[index].unsettled = false;
}

void SettingsBindings::holdUntilSettled(std::string_view name) { slots_[indexOf(name)].unsettled = true; }

void SettingsBindings::settleAll() {
    for (Slot& slot : slots_) slot.unsettled = false;
}

bool SettingsBindings::isBound(std::string_view name) const { return slots_[indexOf(name)].target != nullptr; }

void SettingsBindings::apply(const SettingRow& row, const SettingValue& value) {
    Slot& slot = slots_[indexOf(row)];
    if (typeOf(value) != row.type) {
        throw std::invalid_argument("setting \"" + std::string(row.name) + "\" is " + std::string(typeName(row.type)) +
                                    ", not " + std::string(typeName(typeOf(value))));
    }
    if (slot.target) slot.target->apply(value);
    // Held also while unsettled, once the target has taken it.
    if (!slot.target || slot.unsettled) slot.held = value;
}

void SettingsBindings::apply(std::string_view name, const SettingValue& value) {
    apply(settingRows()[indexOf(name)], value);
}

SettingValue SettingsBindings::current(const SettingRow& row) const {
    const Slot& slot = slots_[indexOf(row)];
    return slot.target && !slot.unsettled ? slot.target->current() : slot.held;
}

SettingValue SettingsBindings::current(std::string_view name) const { return current(settingRows()[indexOf(name)]); }

}  // namespace kvx::settings

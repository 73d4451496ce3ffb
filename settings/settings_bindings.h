#pragma once
#include "settings/settings_table.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace kvx::settings {

// Where one setting lives while the program runs: a control or a state variable.
class SettingTarget {
public:
    virtual ~SettingTarget() = default;

    // Puts a value just read into the control or state; the value has the
    // setting's table type. May throw to say that applying failed (for example a
    // click handler raised an error): reading then ends at this value.
    virtual void apply(const SettingValue& value) = 0;

    // The value to store now. Must have the setting's table type. May throw: the
    // write then fails at this value.
    virtual SettingValue current() const = 0;
};

// The live state of every setting in the table.
//
// A setting bound to a target is applied to it and taken from it. A setting
// that nothing is bound to is held here: it starts at its built-in default,
// takes what is read, gives back what it holds, and so round-trips unchanged.
// That is how a setting whose behaviour is not built yet still exists.
//
// Names are looked up in any letter case, by read or write name ("Interval" and
// "InterVal" are the same setting).
class SettingsBindings {
public:
    using ApplyFunction = std::function<void(const SettingValue&)>;
    using CurrentFunction = std::function<SettingValue()>;

    SettingsBindings();

    // Binds the setting to `target`, replacing an earlier binding. The held value
    // is not passed on: the target keeps its own state. Throws
    // std::invalid_argument for a name that is not in the table or a null target.
    void bind(std::string_view name, std::unique_ptr<SettingTarget> target);
    void bind(std::string_view name, ApplyFunction apply, CurrentFunction current);

    // Back to being held, at its built-in default.
    void unbind(std::string_view name);
    bool isBound(std::string_view name) const;

    // Marks a bound setting whose reading a later step completes (start-up presses
    // the unit button once, say). Until settleAll(), current() gives back the value
    // last applied, or the built-in default when none was, instead of asking the
    // target: a run whose start-up stopped before that step stores what it read.
    void holdUntilSettled(std::string_view name);
    // The steps have run: every setting is taken from its target again.
    void settleAll();

    // Applies to the target, or replaces the held value. Throws
    // std::invalid_argument when `value` is not of the row's type or the name is
    // unknown; whatever the target throws passes through.
    void apply(const SettingRow& row, const SettingValue& value);
    void apply(std::string_view name, const SettingValue& value);

    // The target's current value, or the held one. Whatever the target throws
    // passes through; the type is not checked here (the writer checks it).
    SettingValue current(const SettingRow& row) const;
    SettingValue current(std::string_view name) const;

private:
    struct Slot {
        std::unique_ptr<SettingTarget> target;  // null: unbound
        SettingValue held;                      // unbound or unsettled: the value given back
        bool unsettled = false;
    };

    std::size_t indexOf(const SettingRow& row) const;
    std::size_t indexOf(std::string_view name) const;

    std::vector<Slot> slots_;  // one per row of settingRows(), same order
};

}  // namespace kvx::settings

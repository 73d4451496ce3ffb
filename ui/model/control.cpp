#include "ui/model/control.h"

#include <algorithm>

#include "ui/model/window.h"

namespace kvx::ui {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Window: return "window";
        case ControlKind::Label: return "label";
        case ControlKind::Button: return "button";
        case ControlKind::CheckBox: return "checkBox";
        case ControlKind::RadioButton: return "radioButton";
        case ControlKind::SpinButton: return "spinButton";
        case ControlKind::ComboBox: return "comboBox";
        case ControlKind::Edit: return "edit";
        case ControlKind::Memo: return "memo";
        case ControlKind::TrackBar: return "trackBar";
        case ControlKind::ProgressBar: return "progressBar";
        case ControlKind::Group: return "group";
        case ControlKind::Panel: return "panel";
        case ControlKind::PageControl: return "pageControl";
        case ControlKind::Page: return "page";
        case ControlKind::MenuItem: return "menuItem";
        case ControlKind::Timer: return "timer";
        case ControlKind::Gauge: return "gauge";
        case ControlKind::TrayIcon: return "trayIcon";
        case ControlKind::Image: return "image";
    }
    return "control";
}

Control::Control(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

std::string Control::qualifiedName() const {
    if (!window_ || window_ == this) return name_;
    return window_->name() + "." + name_;
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed();
}

void Control::setHint(std::string hint) {
    if (hint_ == hint) return;
    hint_ = std::move(hint);
    changed();
}

void Control::setBounds(Bounds bounds) {
    if (bounds_ == bounds) return;
    bounds_ = bounds;
    changed();
}

void Control::setPosition(int left, int top) { setBounds({left, top, bounds_.width, bounds_.height}); }

int Control::observe(std::function<void()> observer) {
    int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Control::unobserve(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Control::changed() {
    // A copy, so that an observer may unobserve itself while being told.
    auto observers = observers_;
    for (auto& [id, observer] : observers) observer();
}

void Control::describe(PropertySink& sink) const {
    sink.text("kind", kindName(kind_));
    sink.boolean("enabled", enabled_);
    sink.boolean("visible", visible_);
    if (!hint_.empty()) sink.text("hint", hint_);
    // Menu entries, timers and tray icons have no place on a window.
    if (kind_ == ControlKind::MenuItem || kind_ == ControlKind::Timer || kind_ == ControlKind::TrayIcon) return;
    sink.integer("left", bounds_.left);
    sink.integer("top", bounds_.top);
    sink.integer("width", bounds_.width);
    sink.integer("height", bounds_.height);
}

void CaptionedControl::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed();
}

void CaptionedControl::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.text("caption", caption_);
}

}  // namespace kvx::ui

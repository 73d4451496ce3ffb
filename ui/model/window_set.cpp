#include "ui/model/window_set.h"

namespace kvx::ui {

Window* WindowSet::window(std::string_view name) const {
    auto folded = foldCase(name);
    for (Window* w : windows_)
        if (foldCase(w->name()) == folded) return w;
    return nullptr;
}

void WindowSet::remove(Window& window) { std::erase(windows_, &window); }

void WindowSet::declare(const std::string& name, std::vector<std::string> buttonCaptions) {
    declared_[foldCase(name)] = std::move(buttonCaptions);
}

const std::vector<std::string>* WindowSet::declaredButtons(std::string_view name) const {
    auto it = declared_.find(foldCase(name));
    return it == declared_.end() ? nullptr : &it->second;
}

Control* WindowSet::find(std::string_view qualifiedName) const {
    auto dot = qualifiedName.find('.');
    if (dot == std::string_view::npos) {
        if (Window* main = window(kMainWindow))
            if (Control* c = main->find(qualifiedName)) return c;
        return window(qualifiedName);
    }
    Window* w = window(qualifiedName.substr(0, dot));
    return w ? w->find(qualifiedName.substr(dot + 1)) : nullptr;
}

}  // namespace kvx::ui

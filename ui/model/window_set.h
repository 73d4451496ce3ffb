#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/window.h"

namespace kvx::ui {

// All windows of the program, so that any control is reachable by its
// qualified name ("Form1.Label10"); an unqualified name means the main window.
class WindowSet {
public:
    void add(Window& window) { windows_.push_back(&window); }
    const std::vector<Window*>& windows() const { return windows_; }
    Window* window(std::string_view name) const;
    // A control, or a window by its own name; nullptr when there is none.
    Control* find(std::string_view qualifiedName) const;

    static constexpr const char* kMainWindow = "Form1";

private:
    std::vector<Window*> windows_;
};

}  // namespace kvx::ui

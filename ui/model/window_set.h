#pragma once
#include <map>
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
    // A window that exists only while it is shown leaves the set when it closes.
    void remove(Window& window);
    // A window made only when needed (a first-run dialog, the uninstall window):
    // its name and button captions, so that a script may answer it before it exists.
    void declare(const std::string& name, std::vector<std::string> buttonCaptions);
    // The declared button captions of a window made only when needed; nullptr when it is not declared.
    const std::vector<std::string>* declaredButtons(std::string_view name) const;
    const std::vector<Window*>& windows() const { return windows_; }
    Window* window(std::string_view name) const;
    // A control, or a window by its own name; nullptr when there is none.
    Control* find(std::string_view qualifiedName) const;

    static constexpr const char* kMainWindow = "Form1";

private:
    std::vector<Window*> windows_;
    std::map<std::string, std::vector<std::string>> declared_;  // by folded name
};

}  // namespace kvx::ui

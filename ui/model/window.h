#pragma once
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/model/control.h"
#include "ui/model/controls.h"

namespace kvx::ui {

class Window;

// Shows a modal window and returns when it has closed (a real dialog with its
// own event loop on the desktop; answered from the script when headless).
class ModalHost {
public:
    virtual ~ModalHost() = default;
    virtual void showModal(Window& window) = 0;
};

// A window and the named controls on it. The window owns its controls; they
// are found by name without regard to case.
class Window : public CaptionedControl {
public:
    explicit Window(std::string name);

    // Creates a control owned by this window, placed in `parent` (nullptr: the window itself).
    template <typename T, typename... Args>
    T& add(Control* parent, std::string name, Args&&... args) {
        auto control = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
        T& ref = *control;
        adopt(std::move(control), parent);
        return ref;
    }

    // The control of that name, or nullptr: for names that come from outside
    // (a script), where a missing control is the caller's to report.
    Control* find(std::string_view name) const;
    // The control of that name and kind, for code that wires controls by name:
    // a name that is missing or of another kind is a fault of the program, and
    // throws std::logic_error naming it, so it shows at start-up and not as a
    // setting or handler that silently does nothing.
    template <typename T>
    T& require(std::string_view name) const {
        Control* control = find(name);
        if (!control) missingControl(name, nullptr);
        auto* typed = dynamic_cast<T*>(control);
        if (!typed) missingControl(name, control);
        return *typed;
    }
    // Every control in creation order.
    const std::vector<Control*>& controls() const { return order_; }
    // The controls placed directly in `parent` (nullptr: the window itself), in creation order.
    std::vector<Control*> childrenOf(const Control* parent) const;
    // The radio buttons of one group.
    std::vector<RadioButton*> radioGroup(const std::string& group) const;

    // Modal showing. showModal() returns when close() has been called.
    void setModalHost(ModalHost* host) { host_ = host; }
    void showModal();
    bool isModalShowing() const { return modalShowing_; }
    // Ends a modal showing with the caption of the button that ended it ("" for the close box).
    void close(std::string result = {});
    const std::string& modalResult() const { return modalResult_; }
    // The window's buttons that close it, in creation order (the first is the default answer).
    std::vector<Button*> closingButtons() const;
    Handler onShow;
    Handler onClose;
    // What the window's close box asks for; without it the close box just closes the window.
    Handler onCloseRequest;

    bool stayOnTop = false;
    // The window ends its own showing (a countdown that runs out): left
    // unanswered by a script it is waited for, not closed at once.
    bool closesOnItsOwn = false;
    // False for a window whose title bar has no buttons (no close box): only its own buttons close it.
    bool titleButtons = true;

    void describe(PropertySink& sink) const override;

private:
    [[noreturn]] void missingControl(std::string_view name, const Control* found) const;
    void adopt(std::unique_ptr<Control> control, Control* parent);

    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    std::map<std::string, Control*> byName_;  // lower-case names
    ModalHost* host_ = nullptr;
    bool modalShowing_ = false;
    std::string modalResult_;
};

// Lower-case ASCII, for names that match without regard to case.
std::string foldCase(std::string_view text);

}  // namespace kvx::ui

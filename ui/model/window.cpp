#include "ui/model/window.h"

#include <cctype>
#include <stdexcept>

namespace kvx::ui {

std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

Window::Window(std::string name) : CaptionedControl(ControlKind::Window, std::move(name)) {
    window_ = this;
    setVisible(false);
}

void Window::adopt(std::unique_ptr<Control> control, Control* parent) {
    auto key = foldCase(control->name());
    if (byName_.count(key)) throw std::logic_error("duplicate control name " + name() + "." + control->name());
    control->window_ = this;
    control->setParent(parent);
    byName_[key] = control.get();
    order_.push_back(control.get());
    owned_.push_back(std::move(control));
}

Control* Window::find(std::string_view name) const {
    auto it = byName_.find(foldCase(name));
    return it == byName_.end() ? nullptr : it->second;
}

void Window::missingControl(std::string_view name, const Control* found) const {
    std::string what = this->name() + "." + std::string(name);
    if (!found) throw std::logic_error("no control " + what);
    throw std::logic_error("control " + what + " is not of the kind the program asks for");
}

std::vector<Control*> Window::childrenOf(const Control* parent) const {
    std::vector<Control*> children;
    for (Control* c : order_)
        if (c->parent() == parent) children.push_back(c);
    return children;
}

std::vector<RadioButton*> Window::radioGroup(const std::string& group) const {
    std::vector<RadioButton*> members;
    for (Control* c : order_)
        if (auto* radio = dynamic_cast<RadioButton*>(c); radio && radio->group() == group) members.push_back(radio);
    return members;
}

void Window::showModal() {
    if (modalShowing_) return;
    if (!host_) throw std::logic_error("window " + name() + " has no modal host");
    modalShowing_ = true;
    modalResult_.clear();
    setVisible(true);
    if (onShow) onShow();
    host_->showModal(*this);
    // A host that returns without a close (the program is ending) counts as the close box.
    if (modalShowing_) close();
}

void Window::close(std::string result) {
    if (!modalShowing_) {
        setVisible(false);
        return;
    }
    modalShowing_ = false;
    modalResult_ = std::move(result);
    setVisible(false);
    if (onClose) onClose();
}

std::vector<Button*> Window::closingButtons() const {
    std::vector<Button*> buttons;
    for (Control* c : order_)
        if (auto* button = dynamic_cast<Button*>(c); button && button->closesWindow) buttons.push_back(button);
    return buttons;
}

void Window::describe(PropertySink& sink) const { CaptionedControl::describe(sink); }

}  // namespace kvx::ui

#include "ui/model/controls.h"

#include <algorithm>

#include "ui/model/window.h"

namespace kvx::ui {

void Label::setColour(Colour colour) {
    if (colour_ == colour) return;
    colour_ = colour;
    changed();
}

void Label::describe(PropertySink& sink) const {
    CaptionedControl::describe(sink);
    sink.colour("color", colour_);
}

void Button::click() {
    if (onClick) onClick();
    if (closesWindow && window() && window()->isModalShowing()) window()->close(caption());
}

void CheckBox::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    changed();
    if (onClick) onClick();
}

void CheckBox::setCheckedSilently(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    changed();
}

void CheckBox::describe(PropertySink& sink) const {
    CaptionedControl::describe(sink);
    sink.boolean("checked", checked_);
}

void RadioButton::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    if (checked && window()) {
        for (RadioButton* other : window()->radioGroup(group_))
            if (other != this && other->checked_) {
                other->checked_ = false;
                other->changed();
            }
    }
    changed();
    if (checked && onClick) onClick();
}

void RadioButton::describe(PropertySink& sink) const {
    CaptionedControl::describe(sink);
    sink.boolean("checked", checked_);
}

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
    changed();
}

void ComboBox::setItem(int index, std::string text) {
    if (index < 0 || index >= static_cast<int>(items_.size()) || items_[index] == text) return;
    items_[index] = std::move(text);
    changed();
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (itemIndex_ == index) return;
    itemIndex_ = index;
    changed();
}

void ComboBox::select(int index) {
    setItemIndex(index);
    if (onChange) onChange();
}

std::string ComboBox::text() const { return itemIndex_ < 0 ? std::string() : items_[itemIndex_]; }

void ComboBox::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.text("text", text());
    sink.textList("items", items_);
    sink.integer("itemIndex", itemIndex_);
}

void Edit::setText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    changed();
    if (onChange) onChange();
}

void Edit::type(std::string text) {
    if (maxLength > 0 && static_cast<int>(text.size()) > maxLength) text.resize(maxLength);
    setText(std::move(text));
}

void Edit::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.text("text", text_);
}

void Memo::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    changed();
}

void Memo::addLine(std::string line) {
    lines_.push_back(std::move(line));
    changed();
}

std::string Memo::text() const {
    std::string joined;
    for (const auto& line : lines_) joined += line + "\n";
    return joined;
}

void Memo::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.text("text", text());
}

void TrackBar::setPosition(int position) {
    position = std::clamp(position, minimum, maximum);
    if (position_ == position) return;
    position_ = position;
    changed();
    if (onChange) onChange();
}

void TrackBar::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.integer("position", position_);
}

void ProgressBar::setPosition(int position) {
    position = std::clamp(position, minimum, maximum);
    if (position_ == position) return;
    position_ = position;
    changed();
}

void ProgressBar::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.integer("position", position_);
}

void PageControl::setActivePageIndex(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()) || index == active_) return;
    active_ = index;
    changed();
}

void PageControl::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.integer("itemIndex", active_);
}

void Image::setData(std::vector<uint8_t> data) {
    data_ = std::move(data);
    changed();
}

void MenuItem::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    changed();
}

void MenuItem::addItem(MenuItem& item) {
    items_.push_back(&item);
    changed();
}

void MenuItem::describe(PropertySink& sink) const {
    CaptionedControl::describe(sink);
    sink.boolean("checked", checked_);
}

}  // namespace kvx::ui

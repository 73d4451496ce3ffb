#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/model/control.h"

namespace kvx::ui {

using Handler = std::function<void()>;

class Label : public CaptionedControl {
public:
    explicit Label(std::string name) : CaptionedControl(ControlKind::Label, std::move(name)) {}
    // The text is centred in the label's width (else it starts at the left).
    bool centred = false;
    Colour colour() const { return colour_; }
    void setColour(Colour colour);
    void describe(PropertySink& sink) const override;

private:
    Colour colour_ = kColourWindowText;
};

// A push button. A button with a modal result closes its modal window when clicked.
class Button : public CaptionedControl {
public:
    explicit Button(std::string name) : CaptionedControl(ControlKind::Button, std::move(name)) {}
    Handler onClick;
    // The mouse button going down on the button and coming up again, before the click.
    Handler onPress;
    Handler onRelease;
    bool closesWindow = false;
    // Enter presses the default button of a dialog, Escape its cancel button.
    bool isDefault = false;
    bool isCancel = false;
    // A symbol font whose characters stand for pictures ("Marlett": "3" left arrow,
    // "4" right arrow); the caption keeps the character, the view draws the picture.
    std::string glyphFont;
    // A picture drawn instead of a caption, for small buttons that carry no text.
    enum class Picture { None, View, Erase };
    Picture picture = Picture::None;
    // A user's click: runs the handler, then closes a modal window when the button does so.
    void click();
    void press() {
        if (onPress) onPress();
    }
    void release() {
        if (onRelease) onRelease();
    }
};

// Setting a new state runs the click handler, as a user's click does.
class CheckBox : public CaptionedControl {
public:
    explicit CheckBox(std::string name) : CaptionedControl(ControlKind::CheckBox, std::move(name)) {}
    Handler onClick;
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // Sets the state without running the handler (for a handler that is detached while a value is applied).
    void setCheckedSilently(bool checked);
    void click() { setChecked(!checked_); }
    void describe(PropertySink& sink) const override;

private:
    bool checked_ = false;
};

// Radio buttons with the same group name within one window exclude each other.
// Becoming chosen runs the click handler; being cleared runs nothing. Clearing
// the chosen button leaves the group with no choice.
class RadioButton : public CaptionedControl {
public:
    RadioButton(std::string name, std::string group)
        : CaptionedControl(ControlKind::RadioButton, std::move(name)), group_(std::move(group)) {}
    Handler onClick;
    const std::string& group() const { return group_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click() { setChecked(true); }
    void describe(PropertySink& sink) const override;

private:
    std::string group_;
    bool checked_ = false;
};

// An up/down pair of arrows with no value of its own: the handlers step
// whatever value they edit and keep it within its bounds.
class SpinButton : public Control {
public:
    explicit SpinButton(std::string name) : Control(ControlKind::SpinButton, std::move(name)) {}
    Handler onUpClick;
    Handler onDownClick;
    void up() {
        if (onUpClick) onUpClick();
    }
    void down() {
        if (onDownClick) onDownClick();
    }
};

// A drop-down list. Setting the index from code runs nothing; a user's choice runs onChange.
class ComboBox : public Control {
public:
    explicit ComboBox(std::string name) : Control(ControlKind::ComboBox, std::move(name)) {}
    Handler onChange;
    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);
    void setItem(int index, std::string text);
    int itemIndex() const { return itemIndex_; }
    // -1 chooses nothing; an index past the list also chooses nothing.
    void setItemIndex(int index);
    void select(int index);
    // The chosen item's text, or "" with no choice.
    std::string text() const;
    void describe(PropertySink& sink) const override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A one-line text field. Every change of its text runs onChange, from code or user.
class Edit : public Control {
public:
    explicit Edit(std::string name) : Control(ControlKind::Edit, std::move(name)) {}
    Handler onChange;
    const std::string& text() const { return text_; }
    void setText(std::string text);
    // 0 = no limit; a user's typing is cut at this many characters.
    int maxLength = 0;
    void type(std::string text);
    void describe(PropertySink& sink) const override;

private:
    std::string text_;
};

class Memo : public Control {
public:
    explicit Memo(std::string name) : Control(ControlKind::Memo, std::move(name)) {}
    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> lines);
    void addLine(std::string line);
    // The lines joined with line breaks.
    std::string text() const;
    void describe(PropertySink& sink) const override;

private:
    std::vector<std::string> lines_;
};

// A slider. A new position, from code or user, runs onChange.
class TrackBar : public Control {
public:
    explicit TrackBar(std::string name) : Control(ControlKind::TrackBar, std::move(name)) {}
    Handler onChange;
    int minimum = 0;
    int maximum = 10;
    int position() const { return position_; }
    // Kept within minimum..maximum.
    void setPosition(int position);
    void describe(PropertySink& sink) const override;

private:
    int position_ = 0;
};

class ProgressBar : public Control {
public:
    explicit ProgressBar(std::string name) : Control(ControlKind::ProgressBar, std::move(name)) {}
    int minimum = 0;
    int maximum = 100;
    int position() const { return position_; }
    void setPosition(int position);
    void describe(PropertySink& sink) const override;

private:
    int position_ = 0;
};

class Group : public CaptionedControl {
public:
    explicit Group(std::string name) : CaptionedControl(ControlKind::Group, std::move(name)) {}
};

class Panel : public CaptionedControl {
public:
    explicit Panel(std::string name) : CaptionedControl(ControlKind::Panel, std::move(name)) {}
};

class Page : public CaptionedControl {
public:
    explicit Page(std::string name) : CaptionedControl(ControlKind::Page, std::move(name)) {}
};

// A stack of pages of which one is shown.
class PageControl : public Control {
public:
    explicit PageControl(std::string name) : Control(ControlKind::PageControl, std::move(name)) {}
    const std::vector<Page*>& pages() const { return pages_; }
    void addPage(Page& page) { pages_.push_back(&page); }
    int activePageIndex() const { return active_; }
    void setActivePageIndex(int index);
    void describe(PropertySink& sink) const override;

private:
    std::vector<Page*> pages_;
    int active_ = 0;
};

// A picture: an icon on a dialog, or an image file's bytes (PNG or BMP).
class Image : public Control {
public:
    explicit Image(std::string name) : Control(ControlKind::Image, std::move(name)) {}
    // The desktop's own picture shown while there is no data.
    enum class Icon { Information, Warning };
    Icon icon = Icon::Information;
    const std::vector<uint8_t>& data() const { return data_; }
    void setData(std::vector<uint8_t> data);

private:
    std::vector<uint8_t> data_;
};

// A menu entry; a menu is an item whose children are its entries.
class MenuItem : public CaptionedControl {
public:
    explicit MenuItem(std::string name) : CaptionedControl(ControlKind::MenuItem, std::move(name)) {}
    Handler onClick;
    // Runs when the menu that this item heads opens.
    Handler onPopup;
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool isSeparator() const { return caption() == "-"; }
    const std::vector<MenuItem*>& items() const { return items_; }
    void addItem(MenuItem& item);
    void click() {
        if (onClick) onClick();
    }
    void popup() {
        if (onPopup) onPopup();
    }
    void describe(PropertySink& sink) const override;

private:
    bool checked_ = false;
    std::vector<MenuItem*> items_;
};

}  // namespace kvx::ui

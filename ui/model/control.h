#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kvx::ui {

class Window;

enum class ControlKind {
    Window,
    Label,
    Button,
    CheckBox,
    RadioButton,
    SpinButton,
    ComboBox,
    Edit,
    Memo,
    TrackBar,
    ProgressBar,
    Group,
    Panel,
    PageControl,
    Page,
    MenuItem,
    Timer,
    Gauge,
    TrayIcon,
    Image,
};

// The kind's name as scripts and dumps show it ("checkBox", "spinButton", ...).
const char* kindName(ControlKind kind);

// A colour as the settings store keeps it: 0x00BBGGRR, or 0x80000000 + n for a system colour.
using Colour = uint32_t;
inline constexpr Colour kColourBlack = 0x000000;
inline constexpr Colour kColourRed = 0x0000FF;
inline constexpr Colour kColourWindowText = 0x80000008;
inline constexpr Colour kColourButtonFace = 0x8000000F;

// Receives a control's properties one by one, under the dump's key names.
class PropertySink {
public:
    virtual ~PropertySink() = default;
    virtual void text(const char* key, const std::string& value) = 0;
    virtual void boolean(const char* key, bool value) = 0;
    virtual void integer(const char* key, int64_t value) = 0;
    virtual void number(const char* key, double value) = 0;
    virtual void colour(const char* key, Colour value) = 0;
    virtual void textList(const char* key, const std::vector<std::string>& values) = 0;
};

// Geometry in pixels, relative to the parent's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// One named control of a window: the state the program relies on, without any
// drawing. Views observe a control and redraw it when it reports a change.
class Control {
public:
    Control(ControlKind kind, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // "Form1.Label10"; a window's qualified name is its own name.
    std::string qualifiedName() const;
    Window* window() const { return window_; }
    Control* parent() const { return parent_; }
    void setParent(Control* parent) { parent_ = parent; }

    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    const std::string& hint() const { return hint_; }
    void setHint(std::string hint);
    const Bounds& bounds() const { return bounds_; }
    void setBounds(Bounds bounds);
    void setPosition(int left, int top);

    // Called after any property of the control changed. Returns an id for unobserve().
    int observe(std::function<void()> observer);
    void unobserve(int id);

    // Writes every property this kind of control has.
    virtual void describe(PropertySink& sink) const;

protected:
    void changed();

private:
    friend class Window;
    ControlKind kind_;
    std::string name_;
    Window* window_ = nullptr;
    Control* parent_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    Bounds bounds_;
    std::vector<std::pair<int, std::function<void()>>> observers_;
    int nextObserverId_ = 1;
};

// A control with a caption (labels, buttons, boxes, groups, panels, pages, menu items).
class CaptionedControl : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    void describe(PropertySink& sink) const override;

private:
    std::string caption_;
};

}  // namespace kvx::ui

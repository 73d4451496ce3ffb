// The tray's controls on the settings pages: lines and degree options, the
// tooltip items, the swap interval, and the per-sensor style editor.
#include <algorithm>

#include "text/named_colours.h"
#include "tray/tray_icons.h"

namespace kvx::tray {
namespace {

const char* const kFonts[] = {"Arial",       "Liberation Sans",  "Liberation Sans Narrow", "Liberation Serif",
                              "DejaVu Sans", "DejaVu Sans Mono", "Liberation Mono"};

template <typename T>
T& placed(ui::Window& form, ui::Control* panel, const std::string& name, ui::Bounds bounds) {
    T& control = form.add<T>(panel, name);
    control.setBounds(bounds);
    return control;
}

ui::CheckBox& box(ui::Window& form, ui::Control* panel, const char* name, const char* caption, bool checked, int top) {
    auto& b = placed<ui::CheckBox>(form, panel, name, {8, top, 220, 17});
    b.setCaption(caption);
    b.setCheckedSilently(checked);
    return b;
}

std::vector<std::string> colourNames() {
    std::vector<std::string> names;
    names.reserve(text::kBasicColours.size());
    for (const auto& [name, colour] : text::kBasicColours) names.emplace_back(name);
    return names;
}

int colourIndex(ui::Colour colour) {
    const auto& choices = text::kBasicColours;
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].value == colour) return static_cast<int>(i);
    return -1;
}

}  // namespace

void TrayIcons::buildOptions(ui::Window& form, const TrayPlaces& places) {
    swapIntervalLabel_ = &placed<ui::Label>(form, places.trayPanel, "Label134", {24, 168, 120, 13});
    swapIntervalSpin_ = &placed<ui::SpinButton>(form, places.trayPanel, "VisTabSwapIntervalSpinButton",
                                                {150, 164, 15, 22});
    swapIntervalSpin_->onUpClick = [this] {
        if (timer2_.interval() < kMaxSwapMs) stepSwapInterval(kSwapStepMs);
    };
    swapIntervalSpin_->onDownClick = [this] {
        if (timer2_.interval() > kMinSwapMs) stepSwapInterval(-kSwapStepMs);
    };
    updateSwapIntervalLabel();

    lines_ = &box(form, places.visualPanel, "CheckBox21", "Use lines in system tray", true, 48);
    trayDegree_ = &box(form, places.visualPanel, "CheckBox22", "Use degree symbol in system tray", true, 68);
    lines_->onClick = [this] { createIfPolling(); };
    trayDegree_->onClick = [this] { createIfPolling(); };
    buildTooltipOptions(form, places.tooltipPanel);
    buildStyleControls(form, places.visualPanel);
}

void TrayIcons::buildTooltipOptions(ui::Window& form, ui::Control* panel) {
    const char* names[6] = {"CheckBox70", "CheckBox71", "CheckBox72", "CheckBox74", "CheckBox75", "CheckBox76"};
    const char* captions[6] = {"LM78 / WB Sensor 1", "LM75 Sensor",     "WB Sensor 2",
                               "LM78 / WB Fan 1",    "LM78 / WB Fan 2", "LM78 / WB Fan 2"};
    for (int i = 0; i < 6; ++i) {
        tooltipItems_[i] = &box(form, panel, names[i], captions[i], i == 0, 8 + 18 * i);
        tooltipItems_[i]->onClick = [this] { createIfPolling(); };
    }
    tooltipsOnIcOnly_ = &form.add<ui::RadioButton>(panel, "RadioButton6", "TooltipPlace");
    tooltipsOnIcOnly_->setCaption("I want these tool tips only on the IC icon");
    tooltipsOnIcOnly_->setBounds({8, 124, 250, 17});
    tooltipsOnIcOnly_->setChecked(true);
    tooltipsOnAll_ = &form.add<ui::RadioButton>(panel, "RadioButton7", "TooltipPlace");
    tooltipsOnAll_->setCaption("I want these tool tips on all icons");
    tooltipsOnAll_->setBounds({8, 144, 250, 17});
    tooltipsOnIcOnly_->onClick = [this] { createIfPolling(); };
    tooltipsOnAll_->onClick = [this] { createIfPolling(); };
}

void TrayIcons::buildStyleControls(ui::Window& form, ui::Control* panel) {
    styleSelector_ = &placed<ui::ComboBox>(form, panel, "ComboBox9", {8, 100, 100, 21});
    styleSelector_->setItems({"WB1", "CPU", "WB2"});
    styleSelector_->setItemIndex(0);
    fontList_ = &placed<ui::ComboBox>(form, panel, "VisTabTrayFontComboBox", {8, 126, 150, 21});
    fontList_->setItems(std::vector<std::string>(std::begin(kFonts), std::end(kFonts)));
    fontColourList_ = &placed<ui::ComboBox>(form, panel, "VisTabTrayFontColorComboBox", {8, 152, 100, 21});
    fontColourList_->setItems(colourNames());
    fontSizeSlider_ = &placed<ui::TrackBar>(form, panel, "VisTabTrayFontSizeTrackBar", {8, 178, 150, 25});
    fontSizeSlider_->minimum = kMinFontSize;
    fontSizeSlider_->maximum = kMaxFontSize;
    backgroundList_ = &placed<ui::ComboBox>(form, panel, "VisTabTrayBackgroundComboBox", {120, 152, 100, 21});
    backgroundList_->setItems(colourNames());
    loadStyleControls();

    styleSelector_->onChange = [this] { loadStyleControls(); };
    fontList_->onChange = [this] { editStyle([this](TrayStyle& s) { s.fontName = fontList_->text(); }); };
    fontColourList_->onChange = [this] {
        int i = fontColourList_->itemIndex();
        if (i >= 0) editStyle([i](TrayStyle& s) { s.fontColour = text::kBasicColours[i].value; });
    };
    fontSizeSlider_->onChange = [this] {
        editStyle([this](TrayStyle& s) { s.fontSize = fontSizeSlider_->position(); });
    };
    backgroundList_->onChange = [this] {
        int i = backgroundList_->itemIndex();
        if (i >= 0) editStyle([i](TrayStyle& s) { s.background = text::kBasicColours[i].value; });
    };
}

void TrayIcons::loadStyleControls() {
    int sensor = std::max(styleSelector_->itemIndex(), 0) + 1;
    const TrayStyle& s = styles_[sensor - 1];
    loadingStyle_ = true;
    fontColourList_->setItemIndex(colourIndex(s.fontColour));
    // A stored font that the list does not offer joins it.
    auto fonts = fontList_->items();
    auto found = std::find(fonts.begin(), fonts.end(), s.fontName);
    if (found == fonts.end()) {
        fonts.push_back(s.fontName);
        fontList_->setItems(fonts);
        found = fonts.end() - 1;
    }
    fontList_->setItemIndex(static_cast<int>(found - fonts.begin()));
    fontSizeSlider_->setPosition(s.fontSize);
    backgroundList_->setItemIndex(colourIndex(s.background));
    loadingStyle_ = false;
}

void TrayIcons::editStyle(const std::function<void(TrayStyle&)>& change) {
    if (loadingStyle_) return;
    change(styles_[std::max(styleSelector_->itemIndex(), 0)]);
    createIfPolling();
}

void TrayIcons::stepSwapInterval(int ms) {
    timer2_.setInterval(timer2_.interval() + ms);
    updateSwapIntervalLabel();
}

void TrayIcons::updateSwapIntervalLabel() {
    swapIntervalLabel_->setCaption("Interval: " + std::to_string(timer2_.interval() / 1000) + " Seconds");
}

void TrayIcons::setSensorName(int sensor, const std::string& name) {
    tooltipItems_[sensor - 1]->setCaption(name);
    styleSelector_->setItem(sensor - 1, name);
}

void TrayIcons::setFanName(int fan, const std::string& name) { tooltipItems_[3 + fan - 1]->setCaption(name); }

}  // namespace kvx::tray

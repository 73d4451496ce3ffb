#include "tray/tray_icons.h"

#include <algorithm>

namespace kvx::tray {
namespace {

ui::TrayPicture sensorPicture(int sensor) {
    return static_cast<ui::TrayPicture>(static_cast<int>(ui::TrayPicture::Sensor1) + sensor - 1);
}

}  // namespace

TrayIcons::TrayIcons(ui::Window& form, ui::Timer& timer2, TrayPlaces places, TraySources sources)
    : timer2_(timer2),
      sources_(std::move(sources)),
      chipIcon_(form.add<ui::TrayIcon>(nullptr, "TrayIcon3")),
      showMode_(form.require<ui::RadioButton>("RadioButton18")),
      swapMode_(form.require<ui::RadioButton>("RadioButton19")) {
    const char* iconNames[3] = {"TrayIcon1", "TrayIcon2", "TrayIcon4"};
    const char* showNames[3] = {"CheckBox23", "CheckBox25", "CheckBox66"};
    const char* swapNames[3] = {"CheckBox80", "CheckBox81", "CheckBox82"};
    for (int i = 0; i < 3; ++i) {
        sensorIcons_[i] = &form.add<ui::TrayIcon>(nullptr, iconNames[i]);
        showBoxes_[i] = &form.require<ui::CheckBox>(showNames[i]);
        swapBoxes_[i] = &form.require<ui::CheckBox>(swapNames[i]);
        showBoxes_[i]->onClick = [this, sensor = i + 1] { showBoxClicked(sensor); };
        swapBoxes_[i]->onClick = [this] { swapBoxClicked(); };
    }
    for (ui::TrayIcon* icon : icons())
        icon->onDoubleClick = [this] {
            if (onDoubleClick) onDoubleClick();
        };
    showMode_.onClick = [this] { RadioButton18Click(); };
    swapMode_.onClick = [this] { RadioButton19Click(); };
    timer2_.onTimer = [this] { Timer2Timer(); };
    buildOptions(form, places);
    // The label follows the interval however it is set (spin button or stored value).
    timer2_.observe([this] { updateSwapIntervalLabel(); });
    // Show mode, as the mode handlers leave it: the swap controls off and Timer2
    // stopped. Reading the stored swap mode runs its handler.
    for (ui::CheckBox* box : swapBoxes_) {
        box->setEnabled(false);
        box->setCheckedSilently(false);
    }
    swapIntervalSpin_->setEnabled(false);
    swapIntervalLabel_->setEnabled(false);
    timer2_.setEnabled(false);
}

void TrayIcons::CreateIcon() {
    if (showMode() || swapMode()) {
        for (int sensor = 1; sensor <= 3; ++sensor) {
            if (!showBoxes_[sensor - 1]->checked() && !swapBoxes_[sensor - 1]->checked()) continue;
            std::string text = sources_.temperatureText ? sources_.temperatureText(sensor) : "";
            ui::TrayIcon& icon = sensorIcon(sensor);
            icon.setSensorDrawing(sensorPicture(sensor),
                                  sensorDrawing(text, trayDegree_->checked(), lines_->checked(), styles_[sensor - 1]));
            std::string name = sources_.sensorName ? sources_.sensorName(sensor) : "";
            icon.setTooltip(tooltipsOnAll_->checked() ? CreateToolTip() : name);
        }
    }
    if (chipIcon_.active() && !swapMode()) chipIcon_.setTooltip(CreateToolTip());
}

std::string TrayIcons::CreateToolTip() const {
    std::string tip;
    for (int item = 0; item < 6; ++item) {
        if (!tooltipItems_[item]->checked()) continue;
        std::string value;
        if (item < 3 && sources_.temperatureText) value = sources_.temperatureText(item + 1);
        if (item >= 3 && sources_.fanText) value = sources_.fanText(item - 2);
        tip += tooltipItems_[item]->caption() + ": " + value + " ";
    }
    return tip;
}

void TrayIcons::CheckTrayIcons() {
    bool anyShown = false;
    for (ui::CheckBox* box : showBoxes_) anyShown = anyShown || box->checked();
    chipIcon_.setActive(!anyShown);
}

void TrayIcons::Timer2Timer() {
    swapPosition_ = swapPosition_ % 3 + 1;
    bool anySwapped = false;
    for (ui::CheckBox* box : swapBoxes_) anySwapped = anySwapped || box->checked();
    if (!anySwapped) return;
    // Unchosen sensors are skipped within the same tick.
    while (!swapBoxes_[swapPosition_ - 1]->checked()) swapPosition_ = swapPosition_ % 3 + 1;
    CreateIcon();
    chipIcon_.copyFrom(sensorIcon(swapPosition_));
}

void TrayIcons::showBoxClicked(int sensor) {
    sensorIcon(sensor).setActive(showBoxes_[sensor - 1]->checked());
    CheckTrayIcons();
    createIfPolling();
}

void TrayIcons::swapBoxClicked() {
    bool anySwapped = false;
    for (ui::CheckBox* box : swapBoxes_) anySwapped = anySwapped || box->checked();
    if (!anySwapped) chipIcon_.setPicture(ui::TrayPicture::Chip);
}

void TrayIcons::RadioButton18Click() {
    if (showMode()) {
        for (int sensor = 1; sensor <= 3; ++sensor)
            if (sensorOn(sensor)) showBoxes_[sensor - 1]->setEnabled(true);
        RadioButton19Click();
    } else {
        for (ui::CheckBox* box : showBoxes_) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        chipIcon_.setPicture(ui::TrayPicture::Chip);
    }
    CheckTrayIcons();
    createIfPolling();
}

void TrayIcons::RadioButton19Click() {
    if (swapMode()) {
        for (int sensor = 1; sensor <= 3; ++sensor)
            if (sensorOn(sensor)) swapBoxes_[sensor - 1]->setEnabled(true);
        RadioButton18Click();
        swapIntervalSpin_->setEnabled(true);
        swapIntervalLabel_->setEnabled(true);
        timer2_.setEnabled(true);
    } else {
        for (ui::CheckBox* box : swapBoxes_) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        swapIntervalSpin_->setEnabled(false);
        swapIntervalLabel_->setEnabled(false);
        timer2_.setEnabled(false);
        chipIcon_.setPicture(ui::TrayPicture::Chip);
    }
    CheckTrayIcons();
    createIfPolling();
}

void TrayIcons::createIconBitmap() { chipIcon_.setPicture(ui::TrayPicture::Chip); }

void TrayIcons::showTrayIcons() {
    for (int sensor = 1; sensor <= 3; ++sensor) sensorIcon(sensor).setActive(showBoxes_[sensor - 1]->checked());
    CheckTrayIcons();
}

void TrayIcons::suspendChanged(bool suspended) {
    if (suspended) {
        for (ui::TrayIcon* icon : sensorIcons_) icon->setActive(false);
        chipIcon_.setPicture(ui::TrayPicture::Suspend);
        chipIcon_.setTooltip("In Suspend Mode");
        chipIcon_.setActive(true);
        return;
    }
    for (int sensor = 1; sensor <= 3; ++sensor) sensorIcon(sensor).setActive(showBoxes_[sensor - 1]->checked());
    chipIcon_.setPicture(ui::TrayPicture::Chip);
    CheckTrayIcons();
}

void TrayIcons::setStyle(int sensor, const TrayStyle& style) {
    styles_[sensor - 1] = style;
    // A stored size outside the slider's range would not fit the 16-pixel icon.
    styles_[sensor - 1].fontSize = std::clamp(style.fontSize, kMinFontSize, kMaxFontSize);
    if (styleSelector_->itemIndex() == sensor - 1) loadStyleControls();
}

}  // namespace kvx::tray

#include "ui/model/tray_icon.h"

namespace kvx::ui {

const char* pictureName(TrayPicture picture) {
    switch (picture) {
        case TrayPicture::Chip: return "chip";
        case TrayPicture::Suspend: return "suspend";
        case TrayPicture::Sensor1: return "sensor1";
        case TrayPicture::Sensor2: return "sensor2";
        case TrayPicture::Sensor3: return "sensor3";
    }
    return "chip";
}

std::string cutTooltip(const std::string& text) {
    // Count UTF-8 lead bytes, so that no character is cut in half.
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == kTooltipMaxCharacters) return text.substr(0, i);
        ++characters;
    }
    return text;
}

void TrayIcon::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    changed();
}

void TrayIcon::setPicture(TrayPicture picture) {
    if (picture == picture_) return;
    picture_ = picture;
    changed();
}

void TrayIcon::setSensorDrawing(TrayPicture sensor, TrayIconDrawing drawing) {
    if (sensor == picture_ && drawing == drawing_) return;
    picture_ = sensor;
    drawing_ = std::move(drawing);
    changed();
}

void TrayIcon::copyFrom(const TrayIcon& other) {
    if (other.picture_ == TrayPicture::Chip || other.picture_ == TrayPicture::Suspend) setPicture(other.picture_);
    else setSensorDrawing(other.picture_, other.drawing_);
    setHint(other.hint());
}

void TrayIcon::describe(PropertySink& sink) const {
    Control::describe(sink);
    sink.boolean("active", active_);
    // The base writes a hint only when there is one; a tray icon always has the key.
    if (hint().empty()) sink.text("hint", "");
    sink.text("picture", pictureName(picture_));
    bool sensor = picture_ != TrayPicture::Chip && picture_ != TrayPicture::Suspend;
    sink.text("iconText", sensor ? drawing_.text : "");
    sink.integer("iconWidth", sensor ? drawing_.width : 16);
}

}  // namespace kvx::ui

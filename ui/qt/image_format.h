#pragma once
#include <QImage>

#include <cstdint>
#include <vector>

namespace kvx::ui::qt {

// The Qt format name ("PNG" or "BMP") of an image given as file bytes, judged
// from its signature; nullptr for anything else.
const char* builtInImageFormat(const std::vector<uint8_t>& bytes);

// The picture in `bytes` (a PNG or BMP file image, as a sensor library hands
// over its logo); a null image for anything else, and for an uncompressed BMP
// whose pixels do not fit its bytes. Qt's image reader loads
// every image-format plugin it has (JPEG, GIF, ICO, ...) to ask each about the
// bytes, even with the format named, and they stay mapped for the whole run;
// so an uncompressed BMP of 24 or 32 bits (what the logos are) is read here,
// and only other pictures go through Qt's reader, with their format named.
QImage decodePicture(const std::vector<uint8_t>& bytes);

}  // namespace kvx::ui::qt

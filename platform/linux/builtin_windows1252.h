#pragma once
#include "platform/text_encoding.h"

namespace kvx::platform::linux_backend {

// Windows-1252 from a table of its own: the same bytes as glibc's iconv
// ("UTF-8" -> "CP1252") without loading a gconv module, so
// that writing a log maps no converter and cannot fail for want of one.
class BuiltInWindows1252 final : public TextEncoding {
public:
    std::string toWindows1252(std::string_view utf8) const override;
};

}  // namespace kvx::platform::linux_backend

#pragma once
#include "platform/text_encoding.h"

namespace kvx::platform::linux_backend {

// Windows-1252 through glibc's iconv ("UTF-8" -> "CP1252"). Conversion does not
// depend on the process locale: no transliteration is asked for, so a
// character without a Windows-1252 form is always written as '?'.
class IconvTextEncoding final : public TextEncoding {
public:
    // Opens the converter. Throws std::runtime_error with the system's error
    // text when glibc has no CP1252 converter (its gconv modules are missing),
    // since the logs could not be written correctly without it.
    IconvTextEncoding();
    ~IconvTextEncoding() override;
    IconvTextEncoding(const IconvTextEncoding&) = delete;
    IconvTextEncoding& operator=(const IconvTextEncoding&) = delete;

    std::string toWindows1252(std::string_view utf8) const override;

private:
    void* converter_ = nullptr;  // iconv_t, kept opaque so that <iconv.h> stays out of this header
};

}  // namespace kvx::platform::linux_backend

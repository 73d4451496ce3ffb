#include "platform/linux/iconv_text_encoding.h"

#include <iconv.h>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace kvx::platform::linux_backend {
namespace {

constexpr char kReplacement = '?';

iconv_t handle(void* converter) { return static_cast<iconv_t>(converter); }

bool inRange(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// Length of the UTF-8 sequence at the start of `text` that iconv refused.
// A well-formed character is skipped whole; a broken one only up to its
// longest valid prefix (at least one byte), so that a truncated character
// gives one replacement and the byte after it is looked at again.
std::size_t refusedLength(const unsigned char* text, std::size_t size) {
    const unsigned char lead = text[0];
    std::size_t continuation = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (inRange(lead, 0xC2, 0xDF)) {
        continuation = 1;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        continuation = 2;
        if (lead == 0xE0) low = 0xA0;   // shorter forms are overlong
        if (lead == 0xED) high = 0x9F;  // surrogates are not characters
    } else if (inRange(lead, 0xF0, 0xF4)) {
        continuation = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 1;
    }
    std::size_t length = 1;
    while (length <= continuation && length < size) {
        const bool valid = length == 1 ? inRange(text[1], low, high) : inRange(text[length], 0x80, 0xBF);
        if (!valid) break;
        ++length;
    }
    return length;
}

}  // namespace

IconvTextEncoding::IconvTextEncoding() {
    iconv_t opened = ::iconv_open("CP1252", "UTF-8");
    if (opened == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        throw std::runtime_error(std::string("iconv_open CP1252: ") + std::strerror(errno));
    }
    converter_ = opened;
}

IconvTextEncoding::~IconvTextEncoding() { ::iconv_close(handle(converter_)); }

std::string IconvTextEncoding::toWindows1252(std::string_view utf8) const {
    // Every character takes at least one byte in UTF-8 and exactly one here.
    std::string out(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());  // iconv's signature; the input is only read
    std::size_t inLeft = utf8.size();
    char* next = out.data();
    std::size_t outLeft = out.size();

    ::iconv(handle(converter_), nullptr, nullptr, nullptr, nullptr);  // fresh state per text
    while (inLeft > 0) {
        if (::iconv(handle(converter_), &in, &inLeft, &next, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;  // E2BIG cannot happen with this buffer size
        const std::size_t skip = refusedLength(reinterpret_cast<const unsigned char*>(in), inLeft);
        *next++ = kReplacement;
        --outLeft;
        in += skip;
        inLeft -= skip;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace kvx::platform::linux_backend

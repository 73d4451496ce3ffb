// Window-message datagrams come from any local program: the reader must
// refuse what is not "number wparam lparam", and what it accepts must be the
// exact wire form of the message it gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/window_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto message = kvx::platform::parseWindowMessage(text);
    if (!message) return 0;
    const std::string wire = kvx::platform::formatWindowMessage(*message);
    const auto again = kvx::platform::parseWindowMessage(wire);
    if (!again || !(*again == *message)) std::abort();
    return 0;
}

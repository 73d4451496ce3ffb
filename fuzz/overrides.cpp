// The sensor override key of user.reg on any bytes, through both steps the
// library takes at start: reading the key's values and interpreting them.
// Nothing may throw (it would cross the library's C boundary).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sensorlib/lmsensors/overrides.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kvx::lmsensors;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const OverrideValues values = parseOverrideText(text, "user.reg");
    if (!values.error.empty()) {
        if (!values.values.empty() || values.error.rfind("user.reg", 0) != 0) std::abort();
        return 0;
    }
    Overrides overrides;
    std::string error, faulty;
    if (!interpretOverrides(values.values, overrides, error, &faulty)) {
        if (error.empty() || !values.values.count(faulty)) std::abort();
        return 0;
    }
    if (overrides.smbusAdapter && *overrides.smbusAdapter < -1) std::abort();
    return 0;
}

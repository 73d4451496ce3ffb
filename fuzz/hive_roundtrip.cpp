// Load, save, load: what the reader made of any input must survive a save
// unchanged, and saving it again must give the same bytes (settings are
// replaced on every exit, so a drift would change or lose them over runs).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/hive.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "hive round trip: %s\n--- saved text ---\n%s\n---\n", what, text.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kvx::settings::Hive;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kvx::settings::HiveParseResult first = Hive::parse(text, "in.reg");
    if (first.fatal()) return 0;

    const std::string saved = first.hive->serialize();
    const kvx::settings::HiveParseResult again = Hive::parse(saved, "saved.reg");
    if (again.fatal()) fail("the saved text is not a hive", saved);
    if (!again.problems.empty())
        fail(("the saved text has a problem: " + again.problems.front().text()).c_str(), saved);
    if (!(*again.hive == *first.hive)) fail("the saved text reads back as a different hive", saved);
    if (again.hive->serialize() != saved) fail("saving the reread hive gives different bytes", saved);
    return 0;
}

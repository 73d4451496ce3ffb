#include "settings/read_only_hive.h"

namespace kvx::settings {

HiveLoad loadReadOnlyHive(platform::FileSystem& files, const std::string& path) {
    HiveLoad load;
    const platform::FileContent content = files.readFile(path);
    if (content.status.notFound()) return load;
    const std::string unused = path + " is left unchanged and its values are taken as absent";
    if (!content.status.ok()) {
        load.messages.push_back("cannot read settings: " + content.status.message);
        load.messages.push_back(unused);
        return load;
    }
    HiveParseResult parsed = Hive::parse(content.bytes, path);
    for (const HiveProblem& problem : parsed.problems) load.messages.push_back(problem.text());
    if (parsed.fatal()) {
        load.messages.push_back(unused);
        return load;
    }
    load.hive = std::move(*parsed.hive);
    if (!parsed.problems.empty()) load.messages.push_back(path + ": the lines above are skipped");
    return load;
}

}  // namespace kvx::settings

// The metrics file for node_exporter's textfile collector: written after every
// poll, in the folder of --metrics-dir, else of the "Folder" value under the
// settings key "Metrics"; nothing is written when neither names one.
#include <optional>

#include "app/application.h"
#include "app/metrics_snapshot.h"
#include "metrics/channel_sources.h"
#include "metrics/exposition.h"
#include "metrics/metrics_file.h"
#include "settings/read_only_hive.h"

namespace kvx::app {

inline constexpr const char* kMetricsKey = "HKEY_CURRENT_USER\\Software\\Korvex\\Metrics";
inline constexpr const char* kMetricsFolderValue = "Folder";

class MetricsExport {
public:
    std::optional<metrics::MetricsFile> file;
    metrics::ChannelSources sources;
    std::uint64_t polls = 0;
    bool resolved = false;
};

void Application::wireMetrics() {
    metrics_ = std::make_shared<MetricsExport>();
    mainWindow_->poll().hooks.pollDone = [this] {
        MetricsExport& m = *metrics_;
        ++m.polls;
        // The folder is settled at the first poll, once start-up has read the settings.
        if (!m.resolved) {
            m.resolved = true;
            std::string folder = services_.machine.metricsFolder;
            if (folder.empty()) {
                auto load = settings::loadReadOnlyHive(services_.machine.files,
                                                       services_.machine.folders.config + "/user.reg");
                if (const settings::HiveKey* key = load.hive.findKey(kMetricsKey))
                    if (const settings::HiveValue* value = key->find(kMetricsFolderValue);
                        value && value->type == settings::HiveValueType::String)
                        folder = value->text;
            }
            if (!folder.empty()) {
                m.file.emplace(services_.machine.files, folder);
                m.sources = metrics::parseChannelSources(library_->listSensors().value_or(""));
            }
        }
        if (!m.file) return;
        SnapshotContext context{m.sources, services_.machine.sensorLibraryPath, m.polls,
                                services_.scheduler.wallClock()};
        if (auto problem = m.file->write(metrics::expositionText(takeSnapshot(*mainWindow_, context))))
            showError(*problem);
    };
}

}  // namespace kvx::app

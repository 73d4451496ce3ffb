#include "sensorlib/lmsensors/libsensors_session.h"

#include <sensors/error.h>
#include <sensors/sensors.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sensorlib/lmsensors/board_mapping.h"
#include "sensorlib/lmsensors/fatal_guard.h"

namespace kvx::lmsensors {

struct LibsensorsSession::Handle {
    const sensors_chip_name* name = nullptr;
    struct Feature {
        int input = -1;    // subfeature number of the readable input
        int divisor = -1;  // subfeature number of a writable fan divisor
    };
    std::vector<Feature> features;  // parallel to ChipInfo::features
};

namespace {

// The first configuration error of the current sensors_init().
char gParseError[512] = "";

void onParseError(const char* err, int line) {
    if (gParseError[0] == '\0')
        std::snprintf(gParseError, sizeof gParseError, "sensors configuration:%d: %s", line, err);
}

void onParseErrorInFile(const char* err, const char* file, int line) {
    if (gParseError[0] == '\0')
        std::snprintf(gParseError, sizeof gParseError, "%s:%d: %s", file ? file : "?", line, err);
}

BusKind busKind(short type) {
    switch (type) {
        case SENSORS_BUS_TYPE_ISA: return BusKind::Isa;
        case SENSORS_BUS_TYPE_I2C: return BusKind::I2c;
        case SENSORS_BUS_TYPE_PCI: return BusKind::Pci;
        default: return BusKind::Other;
    }
}

FeatureKind featureKind(sensors_feature_type type) {
    switch (type) {
        case SENSORS_FEATURE_IN: return FeatureKind::Voltage;
        case SENSORS_FEATURE_FAN: return FeatureKind::Fan;
        case SENSORS_FEATURE_TEMP: return FeatureKind::Temperature;
        default: return FeatureKind::Other;
    }
}

sensors_subfeature_type inputOf(sensors_feature_type type) {
    switch (type) {
        case SENSORS_FEATURE_IN: return SENSORS_SUBFEATURE_IN_INPUT;
        case SENSORS_FEATURE_FAN: return SENSORS_SUBFEATURE_FAN_INPUT;
        case SENSORS_FEATURE_TEMP: return SENSORS_SUBFEATURE_TEMP_INPUT;
        default: return SENSORS_SUBFEATURE_UNKNOWN;
    }
}

// libsensors state is process-wide: only one session may own it.
bool gSessionOpen = false;

}  // namespace

LibsensorsSession::LibsensorsSession() = default;

std::unique_ptr<LibsensorsSession> LibsensorsSession::open(std::string& error, bool& configurationFault) {
    configurationFault = false;
    installFatalErrorHandler();
    if (gSessionOpen) {
        error = "libsensors is already in use by another session";
        return nullptr;
    }
    sensors_parse_error = onParseError;
    sensors_parse_error_wfn = onParseErrorInFile;
    gParseError[0] = '\0';
    int rc = 0;
    if (!guarded([&] { rc = sensors_init(nullptr); })) {
        error = fatalErrorText();
        return nullptr;
    }
    if (rc != 0) {
        configurationFault = gParseError[0] != '\0';
        error = gParseError[0] != '\0' ? std::string(gParseError) : std::string("libsensors: ") + sensors_strerror(rc);
        return nullptr;
    }
    // libsensors skips a faulty line of the default configuration and goes
    // on, as `sensors` does; say so, since labels or formulas may be missing.
    if (gParseError[0] != '\0')
        std::fprintf(stderr, "korvex sensor library: %s (the rest of the configuration applies)\n", gParseError);
    gSessionOpen = true;
    std::unique_ptr<LibsensorsSession> session(new LibsensorsSession());
    session->describeChips();
    if (libsensorsBroken()) {
        error = fatalErrorText();
        return nullptr;
    }
    return session;
}

LibsensorsSession::~LibsensorsSession() {
    if (!libsensorsBroken()) guarded([] { sensors_cleanup(); });
    gSessionOpen = false;
}

void LibsensorsSession::describeChips() {
    std::vector<ChipInfo> chips;
    std::vector<Handle> handles;
    int chipNr = 0;
    const sensors_chip_name* name = nullptr;
    while (guarded([&] { name = sensors_get_detected_chips(nullptr, &chipNr); }) && name) {
        ChipInfo chip;
        Handle handle;
        handle.name = name;
        char text[256] = "";
        guarded([&] { sensors_snprintf_chip_name(text, sizeof text, name); });
        chip.name = text;
        chip.prefix = name->prefix ? name->prefix : "";
        chip.bus = busKind(name->bus.type);
        chip.busNumber = name->bus.nr;
        chip.address = name->addr;
        const char* adapter = nullptr;
        guarded([&] { adapter = sensors_get_adapter_name(&name->bus); });
        chip.adapter = adapter ? adapter : "";
        int featureNr = 0;
        const sensors_feature* feature = nullptr;
        while (guarded([&] { feature = sensors_get_features(name, &featureNr); }) && feature) {
            char* label = nullptr;
            const sensors_subfeature* input = nullptr;
            const sensors_subfeature* divisor = nullptr;
            const bool ok = guarded([&] {
                label = sensors_get_label(name, feature);
                input = sensors_get_subfeature(name, feature, inputOf(feature->type));
                if (feature->type == SENSORS_FEATURE_FAN)
                    divisor = sensors_get_subfeature(name, feature, SENSORS_SUBFEATURE_FAN_DIV);
            });
            if (!ok) return;
            chip.features.push_back(
                {feature->name ? feature->name : "", label ? label : "", featureKind(feature->type)});
            std::free(label);
            Handle::Feature numbers;
            if (input && (input->flags & SENSORS_MODE_R)) numbers.input = input->number;
            if (divisor && (divisor->flags & SENSORS_MODE_W)) numbers.divisor = divisor->number;
            handle.features.push_back(numbers);
        }
        chips.push_back(std::move(chip));
        handles.push_back(std::move(handle));
    }
    for (std::size_t i : stableChipOrder(chips)) {
        chips_.push_back(std::move(chips[i]));
        handles_.push_back(std::move(handles[i]));
    }
}

std::optional<double> LibsensorsSession::read(FeatureRef ref) const {
    if (!ref.bound() || ref.chip >= static_cast<int>(handles_.size())) return std::nullopt;
    const Handle& handle = handles_[ref.chip];
    if (ref.feature >= static_cast<int>(handle.features.size())) return std::nullopt;
    const int input = handle.features[ref.feature].input;
    if (input < 0) return std::nullopt;
    double value = 0;
    int rc = -1;
    if (!guarded([&] { rc = sensors_get_value(handle.name, input, &value); }) || rc < 0 || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool LibsensorsSession::hasFanDivisor(FeatureRef ref) const {
    if (!ref.bound() || ref.chip >= static_cast<int>(handles_.size())) return false;
    const Handle& handle = handles_[ref.chip];
    return ref.feature < static_cast<int>(handle.features.size()) && handle.features[ref.feature].divisor >= 0;
}

bool LibsensorsSession::setFanDivisor(FeatureRef ref, int divisor) const {
    if (!ref.bound() || ref.chip >= static_cast<int>(handles_.size())) return false;
    const Handle& handle = handles_[ref.chip];
    if (ref.feature >= static_cast<int>(handle.features.size())) return false;
    const int number = handle.features[ref.feature].divisor;
    if (number < 0) return false;
    int rc = -1;
    return guarded([&] { rc = sensors_set_value(handle.name, number, divisor); }) && rc == 0;
}

}  // namespace kvx::lmsensors

#pragma once
// Fake sysfs trees for libsensors, and a private mount namespace that shows
// them in place of the machine's own /sys/class and /etc/sensors*.
//
// Tree layout under root():
//   class/hwmon/hwmonN/{name, device -> <root>/devices/<bus>/<device>, attributes...}
//   class/i2c-adapter/i2c-N/{name, device -> <root>/devices/pci/<id> with `resource`}
//   devices/<bus>/<device>/subsystem -> /sys/bus/<bus>
//   etc/sensors3.conf, etc/sensors.d/      (bound over the real ones)
//   config/user.reg                          (the override hive, for KORVEX_CONFIG_DIR)
// An attribute whose content is "@EIO" is replaced, inside the namespace, by
// a file whose read fails with EIO (/proc/<pid>/mem at offset 0).
#include <functional>
#include <map>
#include <string>

namespace kvx::lmsensors::testing {

inline constexpr const char* kFailWithEio = "@EIO";

struct FakeChip {
    std::string name;       // the `name` file: "w83781d"
    std::string device;     // the device the `device` link names: "w83781d.656", "0-0048"
    std::string subsystem;  // "platform", "isa", "i2c", "pci", "acpi"; "" = no device (a virtual chip)
    std::map<std::string, std::string> attributes;  // "temp1_input" -> "35000"
    int hwmon = -1;                                 // hwmonN; -1 = the next free number
};

// Attributes written as "temp1_input=35000;temp1_label=CPU Temp": pairs
// separated by ';', each split at its first '='.
std::map<std::string, std::string> attributes(const std::string& pairs);

struct FakeAdapter {
    int number = 0;
    std::string name;
    std::string pciResource;  // the PCI device's `resource` file; empty = no PCI device
};

class FakeSysfsTree {
public:
    // A fresh tree in a new temporary folder, removed again on destruction
    // unless keep() was called.
    FakeSysfsTree();
    // A tree in `root`, which is created; never removed.
    explicit FakeSysfsTree(std::string root);
    ~FakeSysfsTree();
    FakeSysfsTree(const FakeSysfsTree&) = delete;
    FakeSysfsTree& operator=(const FakeSysfsTree&) = delete;

    FakeSysfsTree& addChip(const FakeChip& chip);
    FakeSysfsTree& addAdapter(const FakeAdapter& adapter);
    FakeSysfsTree& setSensorsConf(const std::string& text);
    FakeSysfsTree& setUserReg(const std::string& text);
    void keep() { remove_ = false; }

    const std::string& root() const { return root_; }
    std::string configDir() const { return root_ + "/config"; }
    std::string hwmonDir(int n) const { return root_ + "/class/hwmon/hwmon" + std::to_string(n); }

private:
    void createLayout();
    std::string root_;
    int nextHwmon_ = 0;
    bool remove_ = false;
};

// Enters a private mount namespace in the calling process (which must be
// single-threaded) and binds the tree at `root` over /sys/class (or over
// /sys/class/hwmon and /sys/class/i2c-adapter where both exist),
// /etc/sensors3.conf and /etc/sensors.d. Returns "" on success, else why not;
// `refused` tells that the machine does not allow a namespace (no privilege),
// as opposed to a broken tree.
std::string enterFakeSysfs(const std::string& root, bool& refused);

struct NamespaceRun {
    bool skipped = false;  // the machine refused the namespace; `output` says why
    bool ok = false;       // the body ran and the child ended normally
    std::string output;    // what the body returned, or the error
};

// Runs `body` in a forked child inside the namespace of `root`; its return
// value comes back as `output`. The child ends with _exit, so the parent's
// state is untouched.
NamespaceRun runInFakeSysfs(const std::string& root, const std::function<std::string()>& body);

}  // namespace kvx::lmsensors::testing

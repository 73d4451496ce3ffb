#include "fake_sysfs.h"

#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace kvx::lmsensors::testing {
namespace {

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool bindMount(const std::string& from, const std::string& to, std::string& error) {
    if (mount(from.c_str(), to.c_str(), nullptr, MS_BIND | MS_REC, nullptr) == 0) return true;
    error = systemError("bind " + from + " over " + to);
    return false;
}

// Attributes marked "@EIO" become /proc/<pid>/mem: reading it at offset 0
// fails with EIO, as a chip that does not answer does.
bool bindFailingAttributes(const std::string& root, std::string& error) {
    const std::string failing = "/proc/" + std::to_string(getpid()) + "/mem";
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(root + "/class", ec)) {
        if (!entry.is_regular_file() || entry.is_symlink() || entry.file_size() != 4) continue;
        if (readFile(entry.path()) != kFailWithEio) continue;
        if (!bindMount(failing, entry.path().string(), error)) return false;
    }
    return true;
}

}  // namespace

std::map<std::string, std::string> attributes(const std::string& pairs) {
    std::map<std::string, std::string> result;
    std::istringstream in(pairs);
    for (std::string pair; std::getline(in, pair, ';');) {
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos) throw std::invalid_argument("attribute without '=': " + pair);
        result[pair.substr(0, eq)] = pair.substr(eq + 1);
    }
    return result;
}

FakeSysfsTree::FakeSysfsTree() : remove_(true) {
    char pattern[] = "/tmp/kvx-fake-sysfs-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error(systemError("mkdtemp"));
    root_ = pattern;
    createLayout();
}

FakeSysfsTree::FakeSysfsTree(std::string root) : root_(std::move(root)) { createLayout(); }

FakeSysfsTree::~FakeSysfsTree() {
    std::error_code ec;
    if (remove_) fs::remove_all(root_, ec);
}

void FakeSysfsTree::createLayout() {
    for (const char* dir : {"class/hwmon", "class/i2c-adapter", "devices", "etc/sensors.d", "config"})
        fs::create_directories(fs::path(root_) / dir);
    if (!fs::exists(root_ + "/etc/sensors3.conf")) writeFile(root_ + "/etc/sensors3.conf", "");
}

FakeSysfsTree& FakeSysfsTree::addChip(const FakeChip& chip) {
    const int n = chip.hwmon >= 0 ? chip.hwmon : nextHwmon_;
    nextHwmon_ = std::max(nextHwmon_, n + 1);
    const fs::path hwmon = hwmonDir(n);
    const fs::path device = fs::path(root_) / "devices" / chip.subsystem / chip.device;
    fs::create_directories(hwmon);
    writeFile(hwmon / "name", chip.name + "\n");
    if (!chip.subsystem.empty()) {
        fs::create_directories(device);
        fs::create_symlink(device, hwmon / "device");
        fs::create_symlink("/sys/bus/" + chip.subsystem, device / "subsystem");
    }
    for (const auto& [attribute, value] : chip.attributes)
        writeFile(hwmon / attribute, value == kFailWithEio ? value : value + "\n");
    return *this;
}

FakeSysfsTree& FakeSysfsTree::addAdapter(const FakeAdapter& adapter) {
    const fs::path dir = fs::path(root_) / "class/i2c-adapter" / ("i2c-" + std::to_string(adapter.number));
    writeFile(dir / "name", adapter.name + "\n");
    if (!adapter.pciResource.empty()) {
        const fs::path pci = fs::path(root_) / "devices/pci" / ("0000:00:1f." + std::to_string(adapter.number));
        writeFile(pci / "resource", adapter.pciResource);
        fs::create_symlink(pci, dir / "device");
    }
    return *this;
}

FakeSysfsTree& FakeSysfsTree::setSensorsConf(const std::string& text) {
    writeFile(root_ + "/etc/sensors3.conf", text);
    return *this;
}

FakeSysfsTree& FakeSysfsTree::setUserReg(const std::string& text) {
    writeFile(configDir() + "/user.reg", text);
    return *this;
}

std::string enterFakeSysfs(const std::string& root, bool& refused) {
    refused = false;
    if (unshare(CLONE_NEWNS) != 0) {
        refused = true;
        return systemError("unshare(CLONE_NEWNS)");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        refused = true;
        return systemError("mount --make-rprivate /");
    }
    std::string error;
    if (!bindFailingAttributes(root, error)) return error;
    const bool bothClassFolders = fs::is_directory("/sys/class/hwmon") && fs::is_directory("/sys/class/i2c-adapter");
    if (bothClassFolders) {
        if (!bindMount(root + "/class/hwmon", "/sys/class/hwmon", error) ||
            !bindMount(root + "/class/i2c-adapter", "/sys/class/i2c-adapter", error))
            return error;
    } else if (!bindMount(root + "/class", "/sys/class", error)) {
        return error;
    }
    if (!fs::exists("/etc/sensors3.conf")) return "/etc/sensors3.conf is missing: nothing to bind over";
    if (!bindMount(root + "/etc/sensors3.conf", "/etc/sensors3.conf", error)) return error;
    if (fs::is_directory("/etc/sensors.d") && !bindMount(root + "/etc/sensors.d", "/etc/sensors.d", error))
        return error;
    return "";
}

NamespaceRun runInFakeSysfs(const std::string& root, const std::function<std::string()>& body) {
    NamespaceRun run;
    int fds[2];
    if (pipe(fds) != 0) {
        run.output = systemError("pipe");
        return run;
    }
    const pid_t child = fork();
    if (child < 0) {
        run.output = systemError("fork");
        return run;
    }
    if (child == 0) {
        close(fds[0]);
        bool refused = false;
        std::string text = enterFakeSysfs(root, refused);
        int code = refused ? 77 : 1;
        if (text.empty()) {
            text = body();
            code = 0;
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        _exit(code);
    }
    close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) run.output.append(buffer, n);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.skipped = code == 77;
    run.ok = code == 0;
    if (!WIFEXITED(status)) run.output += "\n(child ended by signal " + std::to_string(WTERMSIG(status)) + ")";
    return run;
}

}  // namespace kvx::lmsensors::testing

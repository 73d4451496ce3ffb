#include "test_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace kvx::test {

TestProgram::TestProgram(char separator, std::string configFolder) : locale(separator) {
    FakeBoard::current() = FakeBoard{};
    if (configFolder.empty()) {
        char pattern[] = "/tmp/korvex-test-XXXXXX";
        configFolder = mkdtemp(pattern);
    }
    folders.config = configFolder;
    folders.program = configFolder + "/";
}

void TestProgram::make() {
    app = std::make_unique<app::Application>(
        app::Services{
            clock, locale, boxes, host, {files, logStorage, encoding, folders, "/opt/korvex/korvex", lifecycle}},
        FakeBoard::library());
    main = &app->mainWindow();
}

app::Application::StartOutcome TestProgram::start() {
    make();
    return app->start();
}

std::string TestProgram::caption(const char* name) {
    auto* control = app->windows().find(name);
    if (auto* c = dynamic_cast<ui::CaptionedControl*>(control)) return c->caption();
    ADD_FAILURE() << name << " has no caption";
    return {};
}

std::string TestProgram::userHive() const {
    std::ifstream in(folders.config + "/user.reg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void TestProgram::writeUserHive(const std::string& text) const {
    std::ofstream(folders.config + "/user.reg", std::ios::binary) << text;
}

}  // namespace kvx::test

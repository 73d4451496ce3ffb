// The main window's states and the tray menu as a script meets them in the real program.
#include <gtest/gtest.h>

#include <filesystem>

#include "blackbox.h"

using namespace kvx::test;

namespace {

// A first run writes the settings; `setSetting` then changes one of them for the next run.
struct WindowRun : RunFolder {
    WindowRun() { EXPECT_EQ(runKorvex(headless("1")).exitCode, 0); }
    void setSetting(const std::string& from, const std::string& to) const {
        std::string hive = readFile(file("config/user.reg"));
        size_t at = hive.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        writeFile(file("config/user.reg"), hive.replace(at, from.size(), to));
    }
};

QJsonObject form1(const QJsonObject& dump, const std::string& name) {
    return control(dump, QString::fromStdString("Form1." + name));
}
QJsonObject form(const QJsonObject& dump) { return control(dump, "Form1"); }

struct Place {
    int left, top, width, height;
    bool operator==(const Place&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << p.left << ", " << p.top << " " << p.width << " x " << p.height;
}
Place place(const QJsonObject& dump) {
    QJsonObject f = form(dump);
    return {f["left"].toInt(), f["top"].toInt(), f["width"].toInt(), f["height"].toInt()};
}

// Show & Expand, Show, Hide enabled (1) or not (0), and pause1's caption.
std::string menuState(const QJsonObject& dump) {
    std::string state;
    for (const char* item : {"Show1", "Show2", "Hide1"}) state += form1(dump, item)["enabled"].toBool() ? "1" : "0";
    return state + " " + form1(dump, "pause1")["caption"].toString().toStdString();
}

}  // namespace

// Guards against the window placed off-screen (a saved place beyond the
// screen), the menu offering Show while shown, and a stale Suspend/Resume.
TEST(WindowBlackBox, ShowExpandHideAndTheMenuFollowEachOther) {
    WindowRun run;
    // Saved beyond the right and bottom edges of the 1024 x 768 screen of a headless run.
    run.setSetting("\"Form X\"=dword:00000000", "\"Form X\"=dword:00001388");
    run.setSetting("\"Form Y\"=dword:00000000", "\"Form Y\"=dword:00001388");
    const std::string f = run.path + "/";
    writeFile(f + "script.txt", "at 5 popup\nat 5 dump " + f + "parked.json\n" +
                                    "at 6 click Show2\nat 6 popup\nat 6 dump " + f + "small.json\n" +
                                    "at 7 click SpeedButton3\nat 7 popup\nat 7 dump " + f + "expanded.json\n" +
                                    "at 8 click SpeedButton3\nat 8 dump " + f + "small-again.json\n" +
                                    "at 9 click Hide1\nat 9 click pause1\nat 9 popup\nat 9 dump " + f +
                                    "suspended.json\n" + "at 10 click pause1\nat 10 popup\nat 10 click Help2\n");
    auto result = runKorvex(run.headless("12", {"--script", f + "script.txt", "--dump", f + "end.json"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const QJsonObject parked = run.dump("parked.json");
    EXPECT_EQ(form(parked)["left"].toInt(), -5000) << "started in the tray";
    EXPECT_FALSE(form(parked)["visible"].toBool());
    EXPECT_EQ(menuState(parked), "110 Suspend");
    EXPECT_FALSE(form1(parked, "TovelBeer1")["visible"].toBool()) << "\"Tovel\" is off by default";
    EXPECT_FALSE(form1(parked, "Log1")["visible"].toBool()) << "log items only with their option";

    // The demo board feeds one sensor: one gauge, so the small window is 112 x 92,
    // kept on the screen: right edge at 1024, bottom edge at 768 - 26.
    const QJsonObject small = run.dump("small.json");
    EXPECT_EQ(place(small), (Place{1024 - 112, 768 - 26 - 92, 112, 92}));
    EXPECT_TRUE(form(small)["visible"].toBool());
    EXPECT_EQ(form1(small, "SpeedButton3")["caption"].toString(), "4");
    EXPECT_FALSE(form1(small, "VMGroupbox")["visible"].toBool());
    EXPECT_EQ(menuState(small), "001 Suspend");

    // Expanded at the place the expand button's Hide kept (the small window's),
    // moved in so that the whole window is on the screen.
    const QJsonObject expanded = run.dump("expanded.json");
    EXPECT_EQ(place(expanded), (Place{1024 - 572, 768 - 26 - 314, 572, 314}));
    EXPECT_EQ(form1(expanded, "SpeedButton3")["caption"].toString(), "3");
    EXPECT_TRUE(form1(expanded, "VMGroupbox")["visible"].toBool());
    EXPECT_EQ(menuState(expanded), "001 Suspend");
    EXPECT_EQ(place(run.dump("small-again.json")).width, 112) << "the expand button switches back";

    const QJsonObject suspended = run.dump("suspended.json");
    EXPECT_EQ(form(suspended)["left"].toInt(), -5000);
    EXPECT_EQ(menuState(suspended), "110 Resume");
    const QJsonObject end = run.dump("end.json");
    EXPECT_EQ(menuState(end), "110 Suspend");

    // Help opens the page installed beside the program.
    std::string opened;
    for (const auto& e : end["events"].toArray())
        if (e.toObject()["kind"].toString() == "open") opened = e.toObject()["path"].toString().toStdString();
    EXPECT_EQ(opened, std::string(KVX_BIN_DIR) + "/Help/Index.html");
    EXPECT_TRUE(std::filesystem::exists(opened)) << "the help page is not installed";
}

// Guards against names that reach only some captions, the Quick Check
// captions going stale, and the log items or Tovel shown against their options.
TEST(WindowBlackBox, NamesAndOptionsReachTheMenuAndTheCaptions) {
    WindowRun run;
    run.setSetting("\"Tovel\"=dword:00000000", "\"Tovel\"=dword:00000001");
    run.setSetting("\"Tab on Top\"=dword:00000000", "\"Tab on Top\"=dword:00000007");
    const std::string f = run.path + "/";
    writeFile(f + "script.txt",
              "at 5 set Edit4 \"Board\"\nat 5 set Edit1 \"Intake\"\n"
              "at 5 click CheckBox42\nat 5 click Show1\nat 5 popup\nat 5 click TovelBeer1\n");
    auto result = runKorvex(run.headless("6", {"--script", f + "script.txt", "--dump", f + "end.json"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "") << "no CD drive: the Tovel item stays silent";
    const QJsonObject end = run.dump("end.json");
    EXPECT_EQ(form1(end, "Label124")["caption"].toString(), "Board");
    EXPECT_EQ(form1(end, "UDTabWB1NameLabel")["caption"].toString(), "Board");
    EXPECT_EQ(form1(end, "ComboBox4")["items"].toArray()[0].toString(), "Board");
    EXPECT_EQ(form1(end, "FMFan1NameLabel")["caption"].toString(), "Intake");
    EXPECT_EQ(form1(end, "ComboBox1")["items"].toArray()[1].toString(), "Intake");
    EXPECT_TRUE(form1(end, "MB")["caption"].toString().startsWith("Board: ")) << "Quick Check sensor 1";
    EXPECT_TRUE(form1(end, "FANnr1")["caption"].toString().startsWith("Intake ")) << "Quick Check fan 1";
    EXPECT_TRUE(form1(end, "TovelBeer1")["visible"].toBool());
    for (const char* item : {"N6", "Log1", "Log2"}) EXPECT_TRUE(form1(end, item)["visible"].toBool()) << item;
    EXPECT_EQ(form1(end, "GenTabTabOnTopComboBox")["itemIndex"].toInt(), 7);
    EXPECT_EQ(form1(end, "PageControl1")["itemIndex"].toInt(), 7);
}

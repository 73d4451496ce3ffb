// The script reader on any bytes, against windows that hold one control of
// every kind a command can name: it must give commands or one
// "FILE:LINE: reason" line, never crash, and never a time before 0.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/harness/script.h"
#include "ui/model/controls.h"
#include "ui/model/window.h"

namespace {

struct Windows {
    kvx::ui::Window main{"Form1"};
    kvx::ui::Window info{"Form8"};
    kvx::ui::WindowSet set;
    Windows() {
        using namespace kvx::ui;
        main.add<CheckBox>(nullptr, "CheckBox37");
        main.add<RadioButton>(nullptr, "RadioButton1", "group");
        main.add<Button>(nullptr, "Button1").setCaption("&Apply");
        main.add<MenuItem>(nullptr, "PopupMenu1");
        main.add<MenuItem>(nullptr, "pause1");
        main.add<Edit>(nullptr, "Edit4");
        main.add<ComboBox>(nullptr, "Sensor2ComboBox");
        main.add<SpinButton>(nullptr, "GenTabIntervalSpinButton");
        main.add<TrackBar>(nullptr, "GenTabPCFreqTrackBar");
        main.add<Label>(nullptr, "Label10");
        info.add<Button>(nullptr, "OkButton").setCaption("&Ok");
        set.add(main);
        set.add(info);
        set.declare("Form9", {"&OK"});
        set.declare("Form7", {"&Yes", "&No", "&Minimize"});
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Windows windows;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kvx::app::LoadedScript script = kvx::app::parseScript(text, "s.txt", windows.set);
    if (!script.error.empty()) {
        if (!script.commands.empty() || script.error.rfind("s.txt:", 0) != 0) std::abort();
        return 0;
    }
    for (const kvx::app::ScriptCommand& command : script.commands)
        if (command.atMs < 0 || command.afterMs < 0 || command.line < 1) std::abort();
    return 0;
}

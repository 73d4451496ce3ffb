// The one symbol korvex looks up in the desktop module.
#include <type_traits>

#include "app/desktop/desktop_session.h"
#include "app/desktop_module.h"

extern "C" __attribute__((visibility("default"))) int kvx_run_desktop(int argc, char** argv,
                                                                      const kvx::app::Options& options,
                                                                      kvx::app::ProgramContext& context) {
    return kvx::ui::qt::runDesktop(argc, argv, options, context);
}

static_assert(std::is_same_v<decltype(&kvx_run_desktop), kvx::app::DesktopEntry>,
              "the module's entry point must match what korvex calls");

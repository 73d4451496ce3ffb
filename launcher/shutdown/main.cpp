// korvex-shutdown: a shutdown program for Korvex's launcher. It asks the login
// manager (logind, over the system D-Bus) to power the machine off.
//
//   korvex-shutdown /SHUTDOWN | /POWEROFF | /FSHUTDOWN
//
// /FSHUTDOWN does not wait for inhibitors. KORVEX_SHUTDOWN_BUS_ADDRESS names
// another bus to talk to (a test bus); without it the system bus is used.
#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "launcher/shutdown/power_request.h"

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kInterface = "org.freedesktop.login1.Manager";

GDBusConnection* connect(GError** error) {
    const char* address = std::getenv("KORVEX_SHUTDOWN_BUS_ADDRESS");
    if (address && *address)
        return g_dbus_connection_new_for_address_sync(
            address,
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, error);
    return g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, error);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvex-shutdown /SHUTDOWN | /POWEROFF | /FSHUTDOWN\n");
        return 2;
    }
    auto request = kvx::launcher::powerRequestFor(argv[1]);
    if (!request) {
        std::fprintf(stderr, "korvex-shutdown: unknown switch %s (use /SHUTDOWN, /POWEROFF or /FSHUTDOWN)\n", argv[1]);
        return 2;
    }
    GError* error = nullptr;
    GDBusConnection* bus = connect(&error);
    if (!bus) {
        std::fprintf(stderr, "korvex-shutdown: cannot reach the system bus: %s\n", error->message);
        g_error_free(error);
        return 1;
    }
    // PowerOff(interactive = false); PowerOffWithFlags(1 << 0 ignores inhibitors) for the forced way.
    GVariant* parameters = nullptr;
    const char* method = request->method.c_str();
    std::string forced;
    if (request->ignoreInhibitors) {
        forced = request->method + "WithFlags";
        method = forced.c_str();
        parameters = g_variant_new("(t)", static_cast<guint64>(1) << 0);
    } else {
        parameters = g_variant_new("(b)", FALSE);
    }
    std::printf("korvex-shutdown: asking logind to power the machine off (%s%s)\n", method,
                request->ignoreInhibitors ? ", not waiting for inhibitors" : "");
    std::fflush(stdout);
    GVariant* reply = g_dbus_connection_call_sync(bus, kService, kPath, kInterface, method, parameters, nullptr,
                                                  G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
    g_object_unref(bus);
    if (!reply) {
        std::fprintf(stderr, "korvex-shutdown: logind refused %s: %s\n", method, error->message);
        g_error_free(error);
        return 1;
    }
    g_variant_unref(reply);
    return 0;
}

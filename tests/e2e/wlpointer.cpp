// Gives a headless compositor's seat a pointer until killed: a virtual pointer
// (zwlr_virtual_pointer_v1), so that clients get pointer events and sway's
// `seat - cursor` commands can move and press it. Prints "ready" once the
// compositor has made it.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <wayland-client.h>

namespace {

// The two interfaces as wayland-scanner would write them, requests only: no XML of the
// protocol ships in Debian's packages.
extern const wl_interface VirtualPointerInterface;

const wl_interface* createTypes[] = {&wl_seat_interface, &VirtualPointerInterface};
const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};

const wl_message ManagerRequests[] = {
    {"create_virtual_pointer", "?on", createTypes},
    {"destroy", "", noTypes},
};
const wl_interface ManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, ManagerRequests, 0, nullptr};

const wl_message PointerRequests[] = {
    {"motion", "uff", noTypes},   {"motion_absolute", "uuuuu", noTypes},
    {"button", "uuu", noTypes},   {"axis", "uuf", noTypes},
    {"frame", "", noTypes},       {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes}, {"axis_discrete", "uufi", noTypes},
    {"destroy", "", noTypes},
};
const wl_interface VirtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9,
                                              PointerRequests,           0, nullptr};

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, ManagerInterface.name) == 0) {
        globals->manager =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &ManagerInterface, 1));
    }
}

void GlobalRemove(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

const wl_registry_listener RegistryListener = {Global, GlobalRemove};

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "wlpointer: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry_add_listener(wl_display_get_registry(display), &RegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.seat == nullptr || globals.manager == nullptr) {
        std::fprintf(stderr, "wlpointer: the compositor has no seat or no virtual pointers\n");
        return 1;
    }
    wl_proxy_marshal_constructor(globals.manager, 0, &VirtualPointerInterface, globals.seat,
                                 nullptr);
    if (wl_display_roundtrip(display) < 0) {
        std::fprintf(stderr, "wlpointer: the compositor refused the pointer\n");
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    // The pointer lasts as long as the connection.
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}

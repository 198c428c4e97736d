// A pointer device for tests in a wlroots compositor: it joins the compositor's
// seat as a virtual pointer and stays there while it runs, so clients see a seat
// with a pointer. It reads commands from standard input, one a line, and answers
// each with "done" once the compositor has taken it:
//   move DX DY             relative motion by (DX, DY) pixels
//   to X Y WIDTH HEIGHT    to (X, Y) of a WIDTH x HEIGHT layout of all outputs
//   click BUTTON           press and release of button 1, 2 or 3
//   keyboard               a keyboard joins the seat too, and stays while this runs
// It prints "ready" once the device exists, and ends at the end of its input.
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  zwlr_virtual_pointer_manager_v1* manager = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t /*version*/) {
  auto* globals = static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat) {
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    globals->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

uint32_t NowMs() {
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

uint32_t ButtonCode(int button) {
  switch (button) {
    case 2:
      return BTN_MIDDLE;
    case 3:
      return BTN_RIGHT;
    default:
      return BTN_LEFT;
  }
}

// A keyboard device with the default keymap (evdev rules, "us" layout); false when
// the compositor has no virtual keyboards or the keymap cannot be made.
bool AddKeyboard(const Globals& globals) {
  if (!globals.keyboards || !globals.seat) return false;
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap =
      context ? xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
  char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
  bool added = false;
  const int fd = text ? memfd_create("keymap", MFD_CLOEXEC) : -1;
  const size_t size = text ? std::strlen(text) + 1 : 0;
  if (fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size)) {
    zwp_virtual_keyboard_v1* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.keyboards, globals.seat);
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<uint32_t>(size));
    added = true;
  }
  if (fd >= 0) close(fd);
  std::free(text);
  if (keymap) xkb_keymap_unref(keymap);
  if (context) xkb_context_unref(context);
  return added;
}

// Sends one command; false when the line is no command.
bool Send(const Globals& globals, zwlr_virtual_pointer_v1* pointer, const std::string& line) {
  std::istringstream words(line);
  std::string command;
  words >> command;
  if (command == "move") {
    double dx = 0, dy = 0;
    if (!(words >> dx >> dy)) return false;
    zwlr_virtual_pointer_v1_motion(pointer, NowMs(), wl_fixed_from_double(dx),
                                   wl_fixed_from_double(dy));
  } else if (command == "to") {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    if (!(words >> x >> y >> width >> height)) return false;
    zwlr_virtual_pointer_v1_motion_absolute(pointer, NowMs(), x, y, width, height);
  } else if (command == "click") {
    int button = 0;
    if (!(words >> button)) return false;
    zwlr_virtual_pointer_v1_button(pointer, NowMs(), ButtonCode(button),
                                   WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, NowMs(), ButtonCode(button),
                                   WL_POINTER_BUTTON_STATE_RELEASED);
  } else if (command == "keyboard") {
    return AddKeyboard(globals);
  } else {
    return false;
  }
  zwlr_virtual_pointer_v1_frame(pointer);
  return true;
}

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "test pointer: no Wayland display\n");
    return 1;
  }
  Globals globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.manager) {
    std::fprintf(stderr, "test pointer: the compositor has no virtual pointers\n");
    return 1;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
  wl_display_roundtrip(display);
  std::cout << "ready" << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
    const bool sent = Send(globals, pointer, line);
    if (wl_display_roundtrip(display) < 0) return 1;
    std::cout << (sent ? "done" : "unknown command") << std::endl;
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}

// Asks X11 windows to close the way a window manager does when the user
// clicks their close button: with a WM_DELETE_WINDOW message. The program
// then runs its ordinary shutdown; `xdotool windowclose`, by contrast,
// destroys the window under it and leaves the program running.
//
// Usage: wm_close WINDOW_ID...

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s WINDOW_ID...\n", argv[0]);
    return 2;
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  const xcb_atom_t protocols = InternAtom(connection, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = InternAtom(connection, "WM_DELETE_WINDOW");
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(std::strtoul(argv[i], nullptr, 0));
    message.type = protocols;
    message.data.data32[0] = deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    const auto cookie = xcb_send_event_checked(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                               reinterpret_cast<const char*>(&message));
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
      std::fprintf(stderr, "%s: no window %s (X error %d)\n", argv[0], argv[i], error->error_code);
      std::free(error);
      status = 1;
    }
  }
  xcb_disconnect(connection);
  return status;
}

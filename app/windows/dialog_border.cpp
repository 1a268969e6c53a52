#include "app/windows/dialog_border.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kubisto::app {

namespace {

// The _MOTIF_WM_HINTS property as X11 window managers read it: five 32-bit values.
constexpr std::uint32_t kHintsFunctions = 1U << 0;
constexpr std::uint32_t kHintsDecorations = 1U << 1;
constexpr std::uint32_t kFunctionMove = 1U << 2;
constexpr std::uint32_t kDecorationBorder = 1U << 1;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

void AskForBorderOnly(QWidget* window) {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || window == nullptr || !window->isWindow()) return;
  xcb_connection_t* connection = x11->connection();
  if (connection == nullptr) return;
  const xcb_atom_t hintsAtom = Atom(connection, "_MOTIF_WM_HINTS");
  if (hintsAtom == XCB_ATOM_NONE) return;
  const std::uint32_t hints[5] = {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                  kDecorationBorder, 0, 0};
  // Qt's own connection: the property reaches the server before the window is mapped.
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      hintsAtom, hintsAtom, 32, 5, hints);
  xcb_flush(connection);
}

}  // namespace kubisto::app

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "NativeWindow.h"

TestPlatform WhereTestsRun() {
  return QGuiApplication::platformName() == QLatin1String("wayland") ? TestPlatform::Wayland
                                                                     : TestPlatform::X11;
}

struct NativeWindow::Connection {
  xcb_connection_t* c = nullptr;
  xcb_window_t root = XCB_WINDOW_NONE;

  xcb_atom_t atom(const char* name) const {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(r);
    return a;
  }
  QList<quint32> property(xcb_window_t window, const char* name) const {
    QList<quint32> values;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
    if (r && r->format == 32) {
      const auto* v = static_cast<const quint32*>(xcb_get_property_value(r));
      values = QList<quint32>(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return values;
  }
  // The names of the atoms in a list property of the window.
  QStringList atoms(xcb_window_t window, const char* name) const {
    QStringList names;
    for (quint32 a : property(window, name)) {
      xcb_get_atom_name_reply_t* r = xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr);
      if (r) names << QString::fromLatin1(xcb_get_atom_name_name(r), xcb_get_atom_name_name_length(r));
      free(r);
    }
    return names;
  }
};

namespace {
// The window's X window now: changing its flags re-creates it, and
// QWidget::winId() may still name the old one.
xcb_window_t id(QWidget* w) { return static_cast<xcb_window_t>(w->windowHandle()->winId()); }
}  // namespace

NativeWindow::NativeWindow() : c_(std::make_unique<Connection>()) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  c_->c = x11 ? x11->connection() : nullptr;
  if (c_->c) c_->root = xcb_setup_roots_iterator(xcb_get_setup(c_->c)).data->root;
}

NativeWindow::~NativeWindow() = default;

QString NativeWindow::absence() const {
  if (!c_->c) return QStringLiteral("not an X11 client");
  return c_->property(c_->root, "_NET_SUPPORTING_WM_CHECK").isEmpty()
             ? QStringLiteral("no window manager on this X server (scripts/xserver.py --wm openbox has one)")
             : QString();
}

// The window's place on the root window grown by the frame extents that the
// window manager sets.
QString NativeWindow::frameDifference() const { return {}; }

QRect NativeWindow::frame(QWidget* w) const {
  const QList<quint32> e = c_->property(id(w), "_NET_FRAME_EXTENTS");  // left, right, top, bottom
  xcb_translate_coordinates_reply_t* r = xcb_translate_coordinates_reply(
      c_->c, xcb_translate_coordinates(c_->c, id(w), c_->root, 0, 0), nullptr);
  QRect client(r ? r->dst_x : 0, r ? r->dst_y : 0, w->width(), w->height());
  free(r);
  return e.size() == 4 ? client.adjusted(-int(e[0]), -int(e[2]), int(e[1]), int(e[3])) : QRect();
}

QStringList NativeWindow::allowedActions(QWidget* w) const {
  QStringList actions = c_->atoms(id(w), "_NET_WM_ALLOWED_ACTIONS");
  for (QString& action : actions) action.remove(QLatin1String("_NET_WM_ACTION_"));
  return actions;
}

bool NativeWindow::staysAbove(QWidget* w) const {
  return c_->atoms(id(w), "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_ABOVE"));
}

std::optional<int> NativeWindow::opacity(QWidget* w) const {
  const QList<quint32> value = c_->property(id(w), "_NET_WM_WINDOW_OPACITY");
  if (value.size() != 1) return std::nullopt;
  return int(value[0] / 0x01010101u);  // 0xFFFFFFFF is opaque
}

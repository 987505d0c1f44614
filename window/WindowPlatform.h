#pragma once
// What the windowing system lets the window do, decided here for the whole
// program: which platform the program starts on, and on that platform
// whether the window can stay on top, be translucent, snap to the work
// area's edges and keep a fixed size; and how its assistive technology
// knows a drop-down list.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace averlin {

// Chooses the platform before the application object exists. In a Wayland
// session (XDG_SESSION_TYPE=wayland or WAYLAND_DISPLAY set) with an X server
// at hand (DISPLAY set: Xwayland), the program starts as an X11 client,
// where every setting works; a platform the user has chosen with
// QT_QPA_PLATFORM or -platform always wins.
// It also notes whether the user has chosen a style (QT_STYLE_OVERRIDE or
// -style), which ChooseStyle then keeps.
void ChoosePlatform(int argc, const char* const* argv);

// Chooses the application's style once the application object exists: the
// style Qt picks, but for its Windows 11 style, in whose place the Windows
// Vista style draws the window (see the definition for why). A style the
// user has chosen always wins.
void ChooseStyle();

// What the platform the application runs on offers the window.
struct PlatformCapabilities {
  bool staysOnTop = true;    // keeps a window above the others
  bool translucency = true;  // sets a window's opacity
  bool snap = true;          // knows and sets the window's place on the screen
  // Honours a maximum size equal to the minimum. Where it does not, the
  // window keeps only its minimum size, so that the compositor's maximise
  // is taken rather than refused (Qt before 6.7 on Wayland ends the
  // program on the protocol error that a fixed size there raises).
  bool fixedSize = true;
  // Its assistive technology reads a control's hint from the control's
  // help text (UI Automation's HelpText, where Narrator and NVDA look)
  // rather than from its description (AT-SPI's).
  bool hintsAsHelpText = false;
};
PlatformCapabilities Capabilities();

// The hint of Always On Top where the windowing system cannot carry it out.
extern const QString kStaysOnTopRefusedHint;
// Set on a control that is disabled because the windowing system cannot do
// what it does: its hint says so, and it keeps it while disabled.
inline constexpr char kRefusedByPlatformProperty[] = "averlinRefusedByPlatform";

// Gives the window its client size: fixed where the platform allows it,
// else as its minimum, at which it is shown.
void SetClientSize(QWidget* window, QSize size);

// Makes the window a topmost window or returns it to the normal stacking
// order, keeping its place, its frame, its opacity and whether it is shown.
void SetStaysOnTop(QWidget* window, bool onTop);

// Where a window frame goes once each edge that lies closer than 10 pixels
// to the same edge of the work area has been pulled onto it.
QPoint SnappedPosition(const QRect& frame, const QRect& workArea);

// Pulls a shown window whose frame has come near the edges of its screen's
// work area onto them, on every move but the window manager's late reports
// of moves that were asked for before.
class WorkAreaSnap {
 public:
  // spontaneous: the windowing system reports the move, rather than the
  // program making it.
  void Moved(QWidget* window, bool spontaneous);

 private:
  QList<QPoint> asked_;  // frame places asked for and not yet reported
  bool snapping_ = false;
};

// Whether assistive technology knows a drop-down list by its current item
// rather than by the list's accessible name. Qt names a list so on Unix,
// AT-SPI's way, where a labelling relation says which list it is.
bool ListsNamedByTheirItem();

}  // namespace averlin

#pragma once
// What the windowing system lets the window do, decided here for the whole
// program: stay on top, be translucent, snap to the work area's edges; and
// how its assistive technology knows a drop-down list.

#include <QPoint>
#include <QRect>

class QWidget;

namespace averlin {

// Makes the window a topmost window or returns it to the normal stacking
// order, keeping its place, its opacity and whether it is shown.
void SetStaysOnTop(QWidget* window, bool onTop);

// Whether the windowing system can set a window's opacity.
bool WindowSystemOffersTranslucency();

// Where a window frame goes once each edge that lies closer than 10 pixels
// to the same edge of the work area has been pulled onto it.
QPoint SnappedPosition(const QRect& frame, const QRect& workArea);

// Whether assistive technology knows a drop-down list by its current item
// rather than by the list's accessible name. Qt names a list so on Unix,
// AT-SPI's way, where a labelling relation says which list it is.
bool ListsNamedByTheirItem();

// Moves a shown window whose frame has come near the edges of its screen's
// work area onto them.
void SnapToWorkArea(QWidget* window);

}  // namespace averlin

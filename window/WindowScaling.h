#pragma once
// The window's sizes: Large Font scaling and the labels that follow their
// text.

#include <QRect>

class QLabel;
class QWidget;

namespace averlin {

// Labels whose width follows their text carry this property: which edge
// stays where it is when the text changes.
inline constexpr char kFitToTextProperty[] = "averlinFitToText";
inline constexpr int kKeepLeftEdge = 1;
inline constexpr int kKeepRightEdge = 2;

// Sizes a label that follows its text to that text, keeping its left or
// right edge as its property says.
void FitLabelToText(QLabel* label);

// Large Font enlarges the window by kLargeFontUp / kScaleBase and returns it
// to its designed size by kLargeFontDown / kScaleBase.
inline constexpr int kLargeFontUp = 125;
inline constexpr int kLargeFontDown = 80;
inline constexpr int kScaleBase = 100;

// x * m / d rounded to the nearest integer, halves away from zero.
int ScaleRounded(int x, int m, int d);

// The geometry a control takes when its window is scaled by m / d: left and
// top scale, and the right and bottom edges scale with them.
QRect ScaledGeometry(const QRect& geometry, int m, int d);

// Scales the whole window and every control in it by m / d, keeping its
// place on the screen.
void ScaleWindow(QWidget* window, int m, int d);

}  // namespace averlin

#pragma once

#include <QRect>

class QWidget;

namespace veyora::frontend::ui {

// The front end lays out its windows in twips (1/1440 inch); the screens it was
// made for have 15 twips to the pixel, and so does every screen here.
inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel; halves go away from zero.
int TwipsToPixels(double twips);
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Places a widget inside its container (or on the screen, for a window) with a
// rectangle given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace veyora::frontend::ui

#include "frontend/ui/twips.h"

#include <QWidget>
#include <cmath>

namespace veyora::frontend::ui {

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                      TwipsToPixels(height));
}

}  // namespace veyora::frontend::ui

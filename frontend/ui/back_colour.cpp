#include "frontend/ui/back_colour.h"

#include <QWidget>

namespace veyora::frontend::ui {

void FillBackground(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(widget->backgroundRole(), colour);
  widget->setPalette(colours);
  widget->setAutoFillBackground(true);
}

}  // namespace veyora::frontend::ui

#include "frontend/ui/picture_box.h"

#include <QPainter>

#include "frontend/ui/back_colour.h"

namespace veyora::frontend::ui {

PictureBox::PictureBox(QWidget* container) : QWidget(container), surface_(this) {
  setAutoFillBackground(true);
  // A panel in the tab order takes the focus by Tab; a click on it, or on a control
  // inside it that takes none, leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
}

void PictureBox::SetBackColour(const QColor& colour) { FillBackground(this, colour); }

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  surface_.Resize();
  if (onResize) onResize();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  surface_.Paint(painter);
}

}  // namespace veyora::frontend::ui

#include "frontend/ui/picture_box.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QWidget* container) : QWidget(container), surface_(this) {
  setAutoFillBackground(true);
}

void PictureBox::SetBackColour(const QColor& colour) {
  QPalette colours = palette();
  colours.setColor(backgroundRole(), colour);
  setPalette(colours);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  surface_.Resize();
  if (onResize) onResize();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  surface_.Paint(painter);
}

}  // namespace ui

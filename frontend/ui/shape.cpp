#include "frontend/ui/shape.h"

#include <QPainter>

namespace veyora::frontend::ui {

Shape::Shape(QWidget* container, const QColor& border) : QWidget(container), border_(border) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(border_, 0));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace veyora::frontend::ui

#include "frontend/ui/image.h"

#include <QMouseEvent>
#include <QPainter>

namespace veyora::frontend::ui {

Image::Image(QWidget* container) : QWidget(container) {}

void Image::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void Image::SetStretch(bool stretch) {
  stretch_ = stretch;
  update();
}

void Image::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (stretch_) {
    painter.drawPixmap(rect(), picture_);
  } else {
    painter.drawPixmap(0, 0, picture_);
  }
}

void Image::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) return QWidget::mousePressEvent(event);
  onMouseDown(event->button());
}

}  // namespace veyora::frontend::ui

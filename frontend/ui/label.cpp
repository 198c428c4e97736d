#include "frontend/ui/label.h"

#include <QMouseEvent>

#include "frontend/ui/back_colour.h"

namespace ui {

Label::Label(QWidget* container, const QString& caption) : QLabel(caption, container) {
  // Move events arrive while no button is held too, as the control expects.
  setMouseTracking(true);
}

void Label::SetCaption(const QString& caption) {
  setText(caption);
  if (autoSize_) adjustSize();
}

void Label::SetTextColour(const QColor& colour) {
  // Only the enabled groups: a disabled label keeps the toolkit's greyed text.
  QPalette colours = palette();
  colours.setColor(QPalette::Active, QPalette::WindowText, colour);
  colours.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  setPalette(colours);
}

void Label::SetCentred(bool centred) {
  setAlignment(centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) adjustSize();
}

void Label::SetOpaque(bool opaque, const QColor& background) {
  if (opaque) {
    FillBackground(this, background);
  } else {
    setAutoFillBackground(false);
  }
}

void Label::SetBorder(bool border) {
  setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
  setLineWidth(1);
}

// Without a handler the event goes on to the container, as it would for a
// windowless label.
void Label::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) return QLabel::mousePressEvent(event);
  onMouseDown(event->button());
}

void Label::mouseMoveEvent(QMouseEvent* event) {
  if (!onMouseMove) return QLabel::mouseMoveEvent(event);
  onMouseMove(event->buttons());
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
  if (!onMouseUp) return QLabel::mouseReleaseEvent(event);
  onMouseUp(event->button());
}

}  // namespace ui

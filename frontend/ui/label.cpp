#include "frontend/ui/label.h"

#include <QMouseEvent>

namespace veyora::frontend::ui {

Label::Label(QWidget* container, const QString& caption) : QLabel(caption, container) {
  // Move events while no button is held pass through to the container too.
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

}  // namespace veyora::frontend::ui

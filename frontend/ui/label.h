#pragma once

#include <QLabel>
#include <functional>

namespace veyora::frontend::ui {

// A text label: transparent over its container, greyed when disabled, optionally
// sized to its text; reports a mouse press with the button.
class Label : public QLabel {
 public:
  explicit Label(QWidget* container, const QString& caption = {});

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);
  void SetTextColour(const QColor& colour);
  void SetCentred(bool centred);
  // Keeps the label as big as its text whenever the caption changes.
  void SetAutoSize(bool autoSize);
  void SetBorder(bool border);

  std::function<void(Qt::MouseButton)> onMouseDown;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool autoSize_ = false;
};

}  // namespace veyora::frontend::ui

#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace veyora::frontend::ui {

// A picture control: shows its picture at its own size from the top-left corner,
// or stretched to the control's size; reports a mouse press with the button.
class Image : public QWidget {
 public:
  explicit Image(QWidget* container);

  const QPixmap& Picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  void SetStretch(bool stretch);

  std::function<void(Qt::MouseButton)> onMouseDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  bool stretch_ = false;
};

}  // namespace veyora::frontend::ui

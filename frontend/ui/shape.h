#pragma once

#include <QColor>
#include <QWidget>

namespace veyora::frontend::ui {

// A rectangle outline drawn over its container; it takes no mouse input.
class Shape : public QWidget {
 public:
  explicit Shape(QWidget* container, const QColor& border = Qt::black);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor border_;
};

}  // namespace veyora::frontend::ui

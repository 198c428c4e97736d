#pragma once

#include <QWidget>
#include <functional>

#include "frontend/ui/drawing_surface.h"

namespace veyora::frontend::ui {

// A panel that holds other controls and can be drawn on; its drawing surface lies
// beneath its controls.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* container);

  void SetBackColour(const QColor& colour);
  DrawingSurface& Surface() { return surface_; }

  // Called after every change of size, once the surface has followed it.
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  DrawingSurface surface_;
};

}  // namespace veyora::frontend::ui

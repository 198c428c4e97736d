#pragma once

#include <QImage>

#include "frontend/ui/form.h"
#include "frontend/ui/image.h"

namespace veyora::frontend {

// The compiled-in preview picture: a 152 x 112 pixel baseline colour JPEG.
inline constexpr char kPreviewPicturePath[] = ":/preview/preview_picture.jpg";

// The preview window: a borderless black window, captioned "Preview Window",
// holding one picture of the screensaver. It has no timers and no state; the
// hosting procedure places it inside the preview pane.
class Quorin05_R : public ui::Form {
 public:
  Quorin05_R();

  // The picture as designed, before any fitting to a pane.
  const QImage& DesignPicture() const { return designPicture_; }

  ui::Image Img_Prev;

 private:
  QImage designPicture_;
};

}  // namespace veyora::frontend

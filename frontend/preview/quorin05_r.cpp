#include "frontend/preview/quorin05_r.h"

#include <QPixmap>

#include "frontend/ui/twips.h"
#include "platform/shared_names.h"

// Registers the compiled-in picture before the window's design reads it. Stays
// outside any namespace: the resource's initialiser is declared where it is called.
static QString PreviewPicturePath() {
  Q_INIT_RESOURCE(preview_picture);
  return QString::fromLatin1(veyora::frontend::kPreviewPicturePath);
}

namespace veyora::frontend {

Quorin05_R::Quorin05_R()
    : ui::Form(QString::fromLatin1(names::kPreviewTitle), Qt::Window | Qt::FramelessWindowHint),
      Img_Prev(this),
      designPicture_(PreviewPicturePath()) {
  SetBackColour(Qt::black);
  // At design time the picture sits in the top-left corner at its own size.
  ui::PlaceTwips(&Img_Prev, 0, 0, 2280, 1680);
  Img_Prev.SetPicture(QPixmap::fromImage(designPicture_));
}

}  // namespace veyora::frontend

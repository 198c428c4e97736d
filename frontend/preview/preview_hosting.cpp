#include "frontend/preview/preview_hosting.h"

// Qt before Xlib, whose Bool and Status macros break Qt's headers.
#include <QPixmap>
#include <QWindow>
#include <cmath>

#include "frontend/preview/quorin05_r.h"
#include "frontend/ui/toolkit.h"

#include "frontend/preview/window_gone_watch.h"
#include "frontend/system/failure_report.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

namespace {

// The toolkit's units for a size in screen pixels: the pixel size divided by the
// screen's scale, rounded up so the pane is always covered.
QSize ToolkitSize(const QSize& pixels, qreal scale) {
  return {static_cast<int>(std::ceil(pixels.width() / scale)),
          static_cast<int>(std::ceil(pixels.height() / scale))};
}

// The picture stretched to `pixels`, smoothly, for a screen of this scale.
QPixmap StretchedPicture(const QImage& picture, const QSize& pixels, qreal scale) {
  QPixmap stretched =
      QPixmap::fromImage(picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  stretched.setDevicePixelRatio(scale);
  return stretched;
}

// True when `window`'s parent is now `parent`. Asks over the toolkit's own
// connection, so the answer comes after the toolkit's reparenting request.
bool ParentIs(Window window, Window parent) {
  Display* toolkitDisplay = ui::ToolkitDisplay();
  if (!toolkitDisplay) return true;
  Window root = 0, actualParent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  const Status ok = XQueryTree(toolkitDisplay, window, &root, &actualParent, &children, &count);
  if (children) XFree(children);
  return ok && actualParent == parent;
}

// A pane the picture can live in: a window below the root of its screen and no
// larger than that screen. The root window, which is never destroyed, would
// leave a full-screen picture that nobody can close.
bool UsablePane(Display* display, Window pane, const QSize& size) {
  XWindowAttributes attributes{};
  platform::XErrorScope errors(display);
  if (!XGetWindowAttributes(display, pane, &attributes) || errors.Failed()) return false;
  return pane != attributes.root && !size.isEmpty() &&
         size.width() <= WidthOfScreen(attributes.screen) &&
         size.height() <= HeightOfScreen(attributes.screen);
}

bool NoPane() {
  ReportFailure("no preview pane to show the picture in");
  return false;
}

}  // namespace

bool HostPreview(std::uint32_t paneHandle) {
  Display* display = platform::SharedDisplay();
  const Window pane = paneHandle;
  // Watching starts before anything is read, so a pane destroyed from here on is
  // noticed. The watch, the window and the pane's stand-in live until the end.
  auto* watch = new WindowGoneWatch(display);
  if (!watch->Watch(pane)) return NoPane();

  // Sizes stay in whole pixels from here on, so a pane of any size is filled.
  const platform::ScreenRect rect = platform::WindowScreenRect(display, pane);
  const QSize panePixels(rect.Width(), rect.Height());
  if (!UsablePane(display, pane, panePixels)) return NoPane();

  ui::StartToolkit(ui::ToolkitWindows::InX11Windows);
  auto* form = new Quorin05_R;
  form->Load();

  form->windowHandle()->setParent(QWindow::fromWinId(pane));
  // A pane that has just gone, or that takes no children, leaves nothing to show in;
  // the window must not turn up on the desktop instead.
  if (!ParentIs(form->Handle(), pane)) return NoPane();

  const qreal scale = form->devicePixelRatio();
  const QSize size = ToolkitSize(panePixels, scale);
  form->setGeometry(0, 0, size.width(), size.height());

  // Stretched to the pane, so a pane of another size shows the whole picture too.
  form->Img_Prev.setGeometry(0, 0, size.width(), size.height());
  form->Img_Prev.SetPicture(StretchedPicture(form->DesignPicture(), panePixels, scale));
  form->Img_Prev.SetStretch(true);

  // Destroying the preview window itself ends the program as well.
  if (!watch->Watch(form->Handle())) return false;
  if (!watch->Start([] { ui::Form::StopRunning(); })) return false;

  form->Show();
  return true;
}

}  // namespace veyora::frontend

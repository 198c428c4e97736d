#include "frontend/dialog/zoom.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegion>
#include <QThread>
#include <QWidget>

#include "frontend/dialog/zoom_frames.h"
#include "frontend/ui/toolkit.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

namespace {

constexpr int kFrames = 10;
constexpr int kFrameMs = 18;
constexpr int kOutlineWidth = 2;

platform::ScreenRect PointRect(CursorStart point) {
  return {point.Cursor_StartX, point.Cursor_StartY, point.Cursor_StartX, point.Cursor_StartY};
}

platform::ScreenRect WindowRect(uint32_t window) {
  // One of the program's own windows: the toolkit knows its latest place even
  // before the X server has been told.
  if (const QWidget* own = QWidget::find(window)) {
    const QRect frame = own->frameGeometry();
    return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
  }
  return platform::WindowScreenRect(platform::SharedDisplay(), window);
}

// Shows a thin frame at each outline in turn, in a borderless window shaped to the
// frame so that everything inside stays visible.
void AnimateOutline(const platform::ScreenRect& from, const platform::ScreenRect& to) {
  if (!ui::ToolkitStarted()) return;
  if (from.right <= from.left && to.right <= to.left) return;
  QWidget outline(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint);
  outline.setAttribute(Qt::WA_ShowWithoutActivating);
  outline.setAttribute(Qt::WA_TransparentForMouseEvents);
  outline.setStyleSheet("background: #808080;");
  for (const platform::ScreenRect& frame : ZoomFrames(from, to, kFrames)) {
    QElapsedTimer shown;
    shown.start();
    const QRect outer(frame.left, frame.top, std::max(frame.right - frame.left, 1),
                      std::max(frame.bottom - frame.top, 1));
    const QRegion ring = QRegion(0, 0, outer.width(), outer.height()) -
                         QRegion(kOutlineWidth, kOutlineWidth, outer.width() - 2 * kOutlineWidth,
                                 outer.height() - 2 * kOutlineWidth);
    outline.setGeometry(outer);
    outline.setMask(ring.isEmpty() ? QRegion(0, 0, outer.width(), outer.height()) : ring);
    outline.show();
    QGuiApplication::processEvents();
    const qint64 left = kFrameMs - shown.elapsed();
    if (left > 0) QThread::msleep(left);
  }
}

}  // namespace

// A Wayland client can neither place a window at a point of the screen nor learn
// where its own windows are: there the compositor's own opening and closing of
// the window stands in for the zoom.
void Zoom_Open(uint32_t window, CursorStart from) {
  if (ui::WindowsPlacedByCompositor()) return;
  const platform::ScreenRect target = WindowRect(window);
  if (target.right <= target.left) return;
  AnimateOutline(PointRect(from), target);
}

void Zoom_Close(uint32_t window, CursorStart to) {
  if (ui::WindowsPlacedByCompositor()) return;
  const platform::ScreenRect target = WindowRect(window);
  if (target.right <= target.left) return;
  AnimateOutline(target, PointRect(to));
}

}  // namespace veyora::frontend

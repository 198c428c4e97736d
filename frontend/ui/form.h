#pragma once

#include <QString>
#include <QWidget>

#include "frontend/ui/drawing_surface.h"

class QEventLoop;

namespace veyora::frontend::ui {

// A window of the front end. Loading creates its native X window with its caption
// but does not show it, so other programs find it by title while it stays
// invisible. Unloading runs the query-unload handler, then the unload handler, and
// then takes the native window away. Derived windows override the handlers.
class Form : public QWidget {
 public:
  explicit Form(const QString& caption, Qt::WindowFlags flags = Qt::Window);
  ~Form() override;

  void Load();
  bool Loaded() const { return loaded_; }
  // Loads when needed and shows the window.
  void Show();
  // Loads when needed, shows the window modally and returns once it is unloaded.
  void ShowModal();
  void Unload();

  // The native X window id; loads nothing, but creates the native window.
  WId Handle();

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }

  // Position on the screen and size of the inner area, in twips.
  void MoveTwips(int left, int top);
  void SetClientSizeTwips(int width, int height);

  void SetBackColour(const QColor& colour);
  DrawingSurface& Surface() { return surface_; }

  // Runs the event loop for as long as any form is loaded; returns at once when
  // none is, or once StopRunning has been called.
  static void RunWhileAnyLoaded();
  // Makes RunWhileAnyLoaded return, now or when it is called, with windows still
  // loaded: for windows that something outside has taken away.
  static void StopRunning();

 protected:
  virtual void FormLoad() {}
  virtual void FormResize() {}
  virtual void FormQueryUnload() {}
  virtual void FormUnload() {}

  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool loaded_ = false;
  QEventLoop* modalLoop_ = nullptr;
  DrawingSurface surface_;
};

}  // namespace veyora::frontend::ui

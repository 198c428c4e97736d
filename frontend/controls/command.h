#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

#include "frontend/controls/command_states.h"
#include "frontend/ui/drawing_surface.h"
#include "frontend/ui/label.h"
#include "frontend/ui/timer.h"

namespace veyora::frontend {

namespace ui {
class PropertyStore;
}

namespace controls {

// The front end's owner-drawn push button. It draws a gradient inside a frame cut
// from one of six face bitmaps chosen by focus, pointer and held button, with a
// centred caption on top, and raises Click when a mouse button is released over
// it. Keys never press it; it takes focus on a left click and by Tab. Once
// initialised, it looks every 100 ms whether the pointer has left it, for as long
// as the pointer leaving would change its state.
class Command : public QWidget {
  Q_OBJECT

 public:
  explicit Command(QWidget* container);

  // Starts the interaction and the pointer poll; the host calls it once after
  // loading its window.
  void Initialize();

  // False lets the host show through the gradient and the frame.
  bool Visible() const { return opaque_; }
  void SetVisible(bool visible);
  // The caption's text colour; stored as a 32-bit number with red in the low byte.
  QColor FontColour() const;
  // An invalid colour is refused: the button is repainted and nothing changes.
  void SetFontColour(const QColor& colour);
  // The button's own flag: a disabled button still takes focus and mouse input
  // and ignores it. The first read of a button never loaded marks it enabled.
  bool Enabled();
  void SetEnabled(bool enabled);
  QString Caption() const { return LblMsg.Caption(); }
  // Laid out anew at the next drawing.
  void SetCaption(const QString& caption);
  QFont Font() const { return LblMsg.font(); }
  void SetFont(const QFont& font);

  // Loads the values the host stored for this instance; changes of properties are
  // reported afterwards through that store, which must outlive the button.
  void ReadProperties(const ui::PropertyStore& store);
  // Stores the values that differ from their defaults.
  void WriteProperties(ui::PropertyStore& store);

 signals:
  void Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Carries out what the state machine asked for; Click comes last, since its
  // handler may close the host.
  void Apply(const Reaction& reaction);
  void DrawFace(Face face);
  void LayOutCaption();
  void PollPointer();
  // Runs the poll's timer only while the poll could change something: an idle
  // dialog with four buttons then costs no CPU at all.
  void FollowPointer();
  void NotifyChanged(const QString& name);
  QFont AmbientFont() const;

  CommandStates states_;
  bool opaque_ = true;
  ui::DrawingSurface surface_;
  std::array<QPixmap, 6> faces_;
  ui::Label LblMsg;
  ui::Timer TmrMouse;
  bool initialized_ = false;
  const ui::PropertyStore* store_ = nullptr;
};

}  // namespace controls

}  // namespace veyora::frontend

#include "frontend/controls/command.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <cstdint>

#include "frontend/controls/command_face.h"
#include "frontend/ui/property_store.h"
#include "frontend/ui/twips.h"

// Registers the compiled-in face bitmaps. Stays outside any namespace: the
// resource's initialiser is declared where it is called.
static void LoadFaceBitmaps() { Q_INIT_RESOURCE(command_faces); }

namespace veyora::frontend::controls {
namespace {

constexpr int kCaptionLift = 20;
constexpr int kPollIntervalMs = 100;

// In the order of Face.
const char* const kFaceFiles[] = {"Normal",  "HighLight",       "Pressed",
                                  "Disable", "HighLightSelect", "Selected"};

// Persisted colours are 32-bit numbers with red in the low byte.
std::uint32_t ColourNumber(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         static_cast<std::uint32_t>(colour.green()) << 8 |
         static_cast<std::uint32_t>(colour.blue()) << 16;
}

}  // namespace

Command::Command(QWidget* container)
    : QWidget(container), surface_(this), LblMsg(this, "Command"), TmrMouse(kPollIntervalMs) {
  LoadFaceBitmaps();
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    faces_[i] = QPixmap(QString(":/controls/%1.png").arg(kFaceFiles[i]));
  }
  // Tab brings the focus; a click brings it only with the left button.
  setFocusPolicy(Qt::TabFocus);
  setMouseTracking(true);
  // The caption is part of the face: pointer and buttons over it reach the button.
  LblMsg.setAttribute(Qt::WA_TransparentForMouseEvents);
  LblMsg.SetCentred(true);
  LblMsg.SetTextColour(Qt::black);
  ui::PlaceTwips(&LblMsg, 0, 90, 1635, 195);
  TmrMouse.onTick = [this] { PollPointer(); };
  resize(ui::TwipsToPixels(1755), ui::TwipsToPixels(420));
}

void Command::Initialize() {
  states_.Initialize();
  initialized_ = true;
  FollowPointer();
}

void Command::SetVisible(bool visible) {
  opaque_ = visible;
  if (visible) Apply(states_.RepaintNormal());
  update();
  NotifyChanged("Visible");
}

QColor Command::FontColour() const {
  return LblMsg.palette().color(QPalette::Active, QPalette::WindowText);
}

void Command::SetFontColour(const QColor& colour) {
  if (colour.isValid()) LblMsg.SetTextColour(colour);
  Apply(states_.RepaintNormal());
  if (colour.isValid()) NotifyChanged("FontColour");
}

bool Command::Enabled() {
  Apply(states_.MarkReadOnce());
  return states_.Enabled();
}

void Command::SetEnabled(bool enabled) {
  const Reaction reaction = states_.SetEnabled(enabled);
  NotifyChanged("Enabled");
  Apply(reaction);
}

void Command::SetCaption(const QString& caption) {
  LblMsg.SetCaption(caption);
  NotifyChanged("Caption");
}

void Command::SetFont(const QFont& font) {
  LblMsg.setFont(font);
  NotifyChanged("Font");
}

// A stored value that cannot be taken is skipped, and the next one is read.
void Command::ReadProperties(const ui::PropertyStore& store) {
  store_ = &store;
  const bool enabled = store.Read("Enabled", true).toBool();
  LblMsg.SetCaption(store.Read("Caption", "Command1").toString());
  const QVariant font = store.Read("Font", AmbientFont());
  if (font.canConvert<QFont>()) LblMsg.setFont(font.value<QFont>());
  bool ok = false;
  const int firstRun = store.Read("FirstRun", "1").toInt(&ok);
  states_.Load(enabled, ok && firstRun >= 0 && firstRun <= 0xFF
                            ? static_cast<std::uint8_t>(firstRun)
                            : states_.FirstRun());
  const std::uint32_t colour = store.Read("FontColour", "0").toUInt(&ok);
  if (ok && colour <= 0xFFFFFF) {
    LblMsg.SetTextColour(QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
  }
  const int style = store.Read("Visible", "1").toInt(&ok);
  if (ok && (style == 0 || style == 1)) opaque_ = style == 1;
  update();
  Apply(states_.RepaintNormal());
}

// A caption is stored unless it is the one a load supplies when none is stored,
// so every caption, "Command" too, comes back as it was saved.
void Command::WriteProperties(ui::PropertyStore& store) {
  store.Write("Enabled", states_.Enabled(), true);
  store.Write("Caption", LblMsg.Caption(), "Command1");
  store.Write("FirstRun", static_cast<int>(states_.FirstRun()), "1");
  store.Write("Font", LblMsg.font(), AmbientFont());
  store.Write("FontColour", ColourNumber(FontColour()), "0");
  store.Write("Visible", opaque_ ? 1 : 0, "1");
  Apply(states_.RepaintNormal());
}

void Command::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  surface_.Resize();
  Apply(states_.ShowEnabledFace());
}

void Command::paintEvent(QPaintEvent*) {
  if (!opaque_) return;
  QPainter painter(this);
  surface_.Paint(painter);
}

// While a button is held, moves keep coming when the pointer is off the button too.
void Command::mouseMoveEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) Apply(states_.PointerOver());
}

void Command::mousePressEvent(QMouseEvent* event) {
  const bool leftButton = event->button() == Qt::LeftButton;
  Apply(states_.Press(leftButton));
  if (leftButton) setFocus(Qt::MouseFocusReason);
}

void Command::mouseReleaseEvent(QMouseEvent* event) {
  Apply(states_.Release(event->button() == Qt::LeftButton));
}

void Command::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  Apply(states_.FocusIn());
}

void Command::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  Apply(states_.FocusOut());
}

void Command::Apply(const Reaction& reaction) {
  if (reaction.captionEnabled) LblMsg.setEnabled(*reaction.captionEnabled);
  if (reaction.captionBlack) LblMsg.SetTextColour(Qt::black);
  if (reaction.face) DrawFace(*reaction.face);
  FollowPointer();
  if (reaction.click) emit Click();
}

void Command::DrawFace(Face face) {
  controls::DrawFace(surface_, faces_[static_cast<std::size_t>(face)], states_.HoverShade());
  LayOutCaption();
}

// The caption is as high as its font's lines, centred across the whole width and
// lifted by 20 twips from the vertical middle.
void Command::LayOutCaption() {
  const int captionHeight = LblMsg.fontMetrics().height();
  const double top =
      (ui::PixelsToTwips(height()) - ui::PixelsToTwips(captionHeight) - kCaptionLift) / 2.0;
  LblMsg.setGeometry(0, ui::TwipsToPixels(top), width(), captionHeight);
}

// The pointer over another program's window, or over no window, is off the button.
void Command::PollPointer() {
  if (QApplication::widgetAt(QCursor::pos()) != this) Apply(states_.PointerLeft());
}

void Command::FollowPointer() {
  // Only a change restarts the timer: moves over the button must not keep
  // putting its next tick off.
  const bool wanted = initialized_ && states_.PointerLeavingMatters();
  if (TmrMouse.Enabled() != wanted) TmrMouse.SetEnabled(wanted);
}

void Command::NotifyChanged(const QString& name) {
  if (store_) store_->NotifyChanged(name);
}

QFont Command::AmbientFont() const {
  return parentWidget() ? parentWidget()->font() : QApplication::font();
}

}  // namespace veyora::frontend::controls

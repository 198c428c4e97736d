#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPixmap>
#include <functional>

#include "frontend/ui/combo_box.h"
#include "frontend/ui/control_group.h"
#include "frontend/ui/image.h"
#include "frontend/ui/label.h"
#include "frontend/ui/picture_box.h"
#include "frontend/ui/property_store.h"
#include "frontend/ui/timer.h"
#include "frontend/ui/twips.h"
#include "tests/support/x_wait.h"

using namespace veyora::frontend;

namespace {

// Runs the event loop until `condition` holds or `ms` milliseconds pass.
bool RunEventsUntil(const std::function<bool()>& condition, int ms = 60000) {
  return testsupport::WaitUntil(
      [&] {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        return condition();
      },
      ms);
}

void RunEventsFor(int ms) {
  RunEventsUntil([] { return false; }, ms);
}

void Press(QWidget* widget, Qt::MouseButton button) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)),
                    button, button, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

}  // namespace

TEST(Twips, FifteenToThePixelRoundedToTheNearest) {
  EXPECT_EQ(ui::TwipsToPixels(8), 1);
  EXPECT_EQ(ui::TwipsToPixels(7), 0);
  QWidget container;
  QWidget control(&container);
  ui::PlaceTwips(&control, 300, 1140, 195, 210);
  EXPECT_EQ(control.geometry(), QRect(20, 76, 13, 14));
}

TEST(Timer, TicksWhileEnabledAndStopsAtOnceWhenDisabled) {
  ui::Timer timer(20, true);
  int ticks = 0;
  timer.onTick = [&] {
    if (++ticks == 3) timer.SetEnabled(false);
  };
  ASSERT_TRUE(RunEventsUntil([&] { return !timer.Enabled(); }));
  RunEventsFor(100);
  EXPECT_EQ(ticks, 3);

  ui::Timer noInterval(0, true);
  ui::Timer disabled(10, false);
  int otherTicks = 0;
  noInterval.onTick = disabled.onTick = [&] { ++otherTicks; };
  RunEventsFor(100);
  EXPECT_EQ(otherTicks, 0);
  disabled.SetEnabled(true);
  EXPECT_TRUE(RunEventsUntil([&] { return otherTicks > 0; }));
}

TEST(ControlGroup, HandlersReceiveTheIndexAndButtonOfTheMemberPressed) {
  QWidget container;
  ui::Label label0(&container, "無し"), label1(&container, "音楽CD");
  ui::Image image2(&container);
  ui::ControlGroup<ui::Label> labels;
  labels.Add(0, &label0);
  labels.Add(1, &label1);
  ui::ControlGroup<ui::Image> images;
  images.Add(2, &image2);
  std::vector<std::pair<int, Qt::MouseButton>> presses;
  auto handler = [&](int index, Qt::MouseButton button) { presses.emplace_back(index, button); };
  labels.OnMouseDown(handler);
  images.OnMouseDown(handler);
  Press(&label1, Qt::LeftButton);
  Press(&label0, Qt::RightButton);
  Press(&image2, Qt::MiddleButton);
  EXPECT_EQ(presses, (std::vector<std::pair<int, Qt::MouseButton>>{
                         {1, Qt::LeftButton}, {0, Qt::RightButton}, {2, Qt::MiddleButton}}));
  EXPECT_EQ(labels(5), nullptr);
}

TEST(Label, SizesItselfToItsText) {
  QWidget container;
  ui::Label label(&container);
  label.SetAutoSize(true);
  label.SetCaption("MP3、WAV");
  const int shortWidth = label.width();
  label.SetCaption("MP3、WAV と もっと長い文章");
  EXPECT_GT(label.width(), shortWidth);
}

TEST(PropertyStore, KeepsInWritingOrderOnlyValuesThatDifferFromTheirDefault) {
  ui::PropertyStore store;
  store.Write("Caption", "設定", "Command");
  store.Write("Enabled", true, true);
  store.Write("Font", QFont("ＭＳ Ｐゴシック", 9), QFont());
  EXPECT_EQ(store.Names(), (QStringList{"Caption", "Font"}));
  // Writing the default again takes the stored value away.
  store.Write("Caption", "Command", "Command");
  EXPECT_EQ(store.Names(), QStringList{"Font"});
  EXPECT_EQ(store.Read("Caption", "Command1").toString(), "Command1");
}

TEST(Fonts, TheWindowsFontNamesHaveStandIns) {
  EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10)).family(), "IPAPGothic");
  EXPECT_EQ(QFontInfo(QFont("Tahoma", 8)).family(), "DejaVu Sans");
}

TEST(DrawingSurface, PicturesInTwipsLandOnTheirPixelRowsAndStay) {
  ui::PictureBox box(nullptr);
  box.SetBackColour(Qt::black);
  box.resize(20, 20);
  auto& surface = box.Surface();
  EXPECT_EQ(surface.ScaleWidth(), 300);
  surface.Clear();
  // Twips 150 to 164 fall on pixel row 10.
  QPixmap blue(1, 1);
  blue.fill(QColor(0, 0, 200));
  surface.StretchCopy(blue, QRectF(0, 150, 300, 15), QRectF(0, 0, 15, 15));
  surface.SetScaleUnit(ui::DrawingSurface::ScaleUnit::Pixels);
  EXPECT_EQ(surface.ScaleHeight(), 20);
  QPixmap picture(2, 2);
  picture.fill(Qt::red);
  surface.StretchCopy(picture, QRectF(0, 0, 4, 4), QRectF(0, 0, 2, 2));
  const QImage shown = box.grab().toImage();
  EXPECT_EQ(shown.pixelColor(5, 10), QColor(0, 0, 200));
  EXPECT_EQ(shown.pixelColor(5, 12), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(4, 4), QColor(Qt::black));
  surface.Clear();
  EXPECT_EQ(box.grab().toImage().pixelColor(5, 10), QColor(Qt::black));
}

TEST(ComboBox, TypedTextStaysAndItemsDoNotReplaceIt) {
  ui::ComboBox combo(nullptr);
  combo.SetText("3");
  combo.AddItem("");
  combo.AddItem("1");
  EXPECT_EQ(combo.Text(), "3");
  combo.setCurrentIndex(1);
  EXPECT_EQ(combo.Text(), "1");
}

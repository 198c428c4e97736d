// The Command button drawn on the toolkit's off-screen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <cstdlib>
#include <functional>

#include "frontend/controls/command.h"
#include "frontend/ui/back_colour.h"
#include "frontend/ui/property_store.h"
#include "frontend/ui/toolkit.h"

using namespace veyora::frontend;

namespace {

class CommandTest : public ::testing::Test {
 protected:
  CommandTest() : command_(&host_) {
    ui::FillBackground(&host_, Qt::red);
    host_.resize(200, 100);
    command_.move(50, 40);
    command_.ReadProperties(store_);
    // A hidden widget is sent its size again at every grab, which redraws it.
    host_.show();
  }

  void Send(QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent event(type, QPointF(10, 10), command_.mapToGlobal(QPointF(10, 10)), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&command_, &event);
  }

  QImage Shown(int width, int height) {
    command_.resize(width, height);
    return command_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QWidget host_;
  ui::PropertyStore store_;
  controls::Command command_;
};

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
  const QDeadlineTimer deadline(ms);
  while (!done() && !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return done();
}

void RunEventsFor(int ms) {
  WaitFor([] { return false; }, ms);
}

QImage FaceBitmap(const char* name) {
  return QImage(QString(":/controls/%1.png").arg(name)).convertToFormat(QImage::Format_RGB32);
}

// The expected interior colour of pixel row `row` out of `rows` filled rows.
QColor Interior(int row, int rows, bool hoverShade) {
  const double t = static_cast<double>(hoverShade ? rows - 1 - row : row) / (rows - 1);
  return QColor(qRound(255 - 57 * t), qRound(255 - 58 * t), qRound(255 - 40 * t));
}

// Rows from `from` on of the button's left 4 columns against the face's from `faceRow` on.
void ExpectLeftColumn(const QImage& shown, const QImage& face, int from, int count, int faceRow) {
  for (int y = 0; y < count; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(shown.pixel(x, from + y), face.pixel(x, faceRow + y)) << x << "," << from + y;
    }
  }
}

}  // namespace

TEST_F(CommandTest, DrawsTheGradientInsideTheChosenFacesFrame) {
  command_.SetCaption("");
  QImage shown = Shown(73, 25);
  const QImage normal = FaceBitmap("Normal");
  EXPECT_EQ(shown.pixelColor(36, 4), Interior(4, 24, false));
  EXPECT_EQ(shown.pixelColor(36, 20), Interior(20, 24, false));
  ExpectLeftColumn(shown, normal, 0, 25, 0);
  EXPECT_EQ(shown.pixel(40, 0), normal.pixel(30, 0));
  EXPECT_EQ(shown.pixel(71, 24), normal.pixel(62, 24));

  command_.Initialize();
  Send(QEvent::MouseMove);
  shown = command_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixelColor(36, 4), Interior(4, 24, true));
  EXPECT_EQ(shown.pixel(72, 12), FaceBitmap("HighLight").pixel(63, 12));

  // 21 pixels high: the 17-pixel edges are squeezed into 13, the corners kept.
  shown = Shown(73, 21);
  ExpectLeftColumn(shown, normal, 0, 4, 0);
  ExpectLeftColumn(shown, normal, 16, 5, 20);
  // Too small for the frame: the gradient alone, down to the last row but one.
  shown = Shown(7, 30);
  EXPECT_EQ(shown.pixelColor(0, 0), Interior(0, 29, true));
  EXPECT_EQ(shown.pixelColor(5, 28), Interior(28, 29, true));
}

TEST_F(CommandTest, CaptionSitsTwentyTwipsAboveTheMiddleAndHidesNothingWhenTransparent) {
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  for (int size = 8; size < 20 && QFontMetrics(font).height() != 13; ++size)
    font.setPixelSize(size);
  ASSERT_EQ(QFontMetrics(font).height(), 13);  // a caption 195 twips high
  command_.SetFont(font);
  Shown(73, 25);
  const QWidget* caption = command_.findChild<QLabel*>();
  EXPECT_EQ(caption->geometry(), QRect(0, 5, 73, 13));  // top 80 twips

  command_.SetVisible(false);
  const QImage host = host_.grab().toImage();
  EXPECT_EQ(host.pixelColor(120, 62), QColor(Qt::red));
}

TEST_F(CommandTest, ClicksOnReleaseAndDrawsNothingOnIdlePolls) {
  int clicks = 0;
  QObject::connect(&command_, &controls::Command::Click, [&] { ++clicks; });
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      paints += event->type() == QEvent::Paint;
      return false;
    }
  } counter;
  host_.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return host_.isActiveWindow(); }));
  // The window's first control in the tab order has the focus now.
  command_.clearFocus();
  command_.installEventFilter(&counter);
  command_.Initialize();

  // Over the caption, which counts as the button.
  QCursor::setPos(command_.mapToGlobal(command_.findChild<QLabel*>()->geometry().center()));
  Send(QEvent::MouseMove);
  Send(QEvent::MouseButtonPress, Qt::RightButton);
  EXPECT_FALSE(command_.hasFocus());
  Send(QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_TRUE(command_.hasFocus());
  Send(QEvent::MouseButtonRelease, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  RunEventsFor(300);
  EXPECT_EQ(command_.grab().toImage().pixel(1, 12), FaceBitmap("HighLightSelect").pixel(1, 12));

  // The pointer off the button: the poll turns it to Selected once.
  QCursor::setPos(0, 0);
  const QRgb selected = FaceBitmap("Selected").pixel(1, 12);
  EXPECT_TRUE(WaitFor([&] { return command_.grab().toImage().pixel(1, 12) == selected; }));
  QApplication::processEvents();
  counter.paints = 0;
  RunEventsFor(500);
  EXPECT_EQ(counter.paints, 0);
}

TEST_F(CommandTest, SavesInItsOrderWhatDiffersFromTheDefaults) {
  EXPECT_EQ(command_.Caption(), "Command1");
  EXPECT_TRUE(command_.Enabled());
  EXPECT_EQ(command_.FontColour(), QColor(Qt::black));
  EXPECT_EQ(command_.Font(), host_.font());
  command_.WriteProperties(store_);
  EXPECT_TRUE(store_.Names().isEmpty());

  QStringList changed;
  store_.onChanged = [&](const QString& name) { changed << name; };
  QFont font("Tahoma", 8);
  command_.SetFont(font);
  command_.SetFontColour(QColor(0x12, 0x34, 0x56));
  command_.SetFontColour(QColor());
  command_.SetVisible(false);
  command_.SetCaption("Command");
  command_.SetEnabled(false);
  EXPECT_EQ(changed, (QStringList{"Font", "FontColour", "Visible", "Caption", "Enabled"}));
  command_.WriteProperties(store_);
  EXPECT_EQ(store_.Names(), (QStringList{"Enabled", "Caption", "Font", "FontColour", "Visible"}));
  EXPECT_EQ(store_.Read("FontColour", "0").toUInt(), 0x563412u);

  controls::Command loaded(&host_);
  loaded.ReadProperties(store_);
  EXPECT_EQ(loaded.Caption(), "Command");
  EXPECT_FALSE(loaded.Enabled());
  EXPECT_FALSE(loaded.Visible());
  EXPECT_EQ(loaded.FontColour(), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(loaded.Font(), font);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::StartToolkit();
  return RUN_ALL_TESTS();
}

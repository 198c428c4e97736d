// Prints the time one Command face drawing takes at 73 x 25 pixels (the
// settings dialog's "設定" button), and the CPU time per second that the settings
// dialog's four buttons take once initialised: with the pointer away from them,
// and resting over one, whose pointer poll then runs. Beside them, for scale: the
// same window before the buttons are initialised, and one empty 100 ms timer.
// Runs on a private virtual X server, so the poll asks a real X server where the
// pointer is.
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "frontend/controls/command.h"
#include "frontend/controls/command_face.h"
#include "frontend/ui/drawing_surface.h"
#include "frontend/ui/property_store.h"
#include "frontend/ui/toolkit.h"
#include "frontend/ui/twips.h"
#include "tests/support/xvfb_server.h"

using namespace veyora::frontend;

namespace {

constexpr int kDrawingsPerBatch = 2000;
constexpr int kBatches = 15;
constexpr int kPollSeconds = 10;
constexpr int kPollsBackToBack = 2000;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void RunEventsFor(int seconds) {
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
}

// Median and fastest wall time of one drawing, in microseconds.
void MeasureDrawing() {
  QWidget owner;
  owner.resize(73, 25);
  ui::DrawingSurface surface(&owner);
  const QPixmap face(":/controls/Normal.png");
  std::vector<double> perDrawing;
  for (int batch = 0; batch < kBatches; ++batch) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kDrawingsPerBatch; ++i) controls::DrawFace(surface, face, i % 2 == 0);
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    perDrawing.push_back(spent.count() / kDrawingsPerBatch);
  }
  std::sort(perDrawing.begin(), perDrawing.end());
  std::printf("DrawFace at 73 x 25 pixels: median %.1f us, fastest %.1f us (%d batches of %d)\n",
              perDrawing[perDrawing.size() / 2], perDrawing.front(), kBatches, kDrawingsPerBatch);
}

// The process's CPU time per second of a running event loop, in milliseconds.
double CpuMsPerSecond() {
  const double before = ProcessCpuSeconds();
  RunEventsFor(kPollSeconds);
  return (ProcessCpuSeconds() - before) * 1000 / kPollSeconds;
}

void PrintShare(const char* what, double msPerSecond) {
  std::printf("%-42s %6.3f ms CPU per second (%.3f %% of a core)\n", what, msPerSecond,
              msPerSecond / 10);
}

}  // namespace

int main() {
  testsupport::XvfbServer server(1280, 1024);
  if (!server.Running()) {
    std::fprintf(stderr, "command_bench: Xvfb did not start\n");
    return 1;
  }
  setenv("DISPLAY", server.Display().c_str(), 1);
  ui::StartToolkit();

  // The settings dialog's window with its four buttons where it puts them (the
  // "..." button inside its panel).
  QWidget window;
  ui::PlaceTwips(&window, 0, 0, 7185, 3780);
  struct Placement {
    int left, top, width, height;
  };
  const ui::PropertyStore store;
  std::vector<std::unique_ptr<controls::Command>> buttons;
  for (const Placement& place :
       {Placement{5940, 3000, 1035, 375}, Placement{4800, 3000, 1095, 375},
        Placement{720, 1980, 435, 315}, Placement{2880, 3000, 1875, 375}}) {
    buttons.push_back(std::make_unique<controls::Command>(&window));
    buttons.back()->ReadProperties(store);
    ui::PlaceTwips(buttons.back().get(), place.left, place.top, place.width, place.height);
  }
  window.show();
  QCursor::setPos(1000, 900);
  RunEventsFor(1);

  MeasureDrawing();
  PrintShare("Window, buttons not initialised:", CpuMsPerSecond());
  {
    QTimer empty;
    QObject::connect(&empty, &QTimer::timeout, [] {});
    empty.start(100);
    PrintShare("The same with one empty 100 ms timer:", CpuMsPerSecond());
  }
  for (const auto& button : buttons) button->Initialize();
  PrintShare("Four buttons initialised, pointer away:", CpuMsPerSecond());
  controls::Command& hovered = *buttons.front();
  QCursor::setPos(hovered.mapToGlobal(QPoint(10, 10)));
  RunEventsFor(1);
  const bool hovering =
      hovered.grab().toImage().pixel(1, 2) == QImage(":/controls/HighLight.png").pixel(1, 2);
  PrintShare(hovering ? "Four buttons, pointer resting over one:"
                      : "Four buttons, pointer over one (NOT hovered):",
             CpuMsPerSecond());
  // The poll's own work, back to back, without the timer's wake-ups.
  const double before = ProcessCpuSeconds();
  int over = 0;
  for (int i = 0; i < kPollsBackToBack; ++i) {
    over += QApplication::widgetAt(QCursor::pos()) == &hovered;
  }
  const double pollMs = (ProcessCpuSeconds() - before) * 1000 / kPollsBackToBack;
  std::printf("One poll alone: %.1f us%s\n", pollMs * 1000,
              over == kPollsBackToBack ? "" : " (pointer NOT over the button)");
  PrintShare("Ten polls a second, without wake-ups:", pollMs * 10);
  return 0;
}

#include "frontend/ui/toolkit.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/ui/twips.h"
#include "platform/shared_names.h"

#include <X11/Xlib.h>

namespace veyora::frontend::ui {
namespace {

// Lives until the process ends; the program never tears it down.
QApplication* application = nullptr;
// The toolkit keeps references to these for its whole life.
int toolkitArgc = 0;
std::string toolkitProgramName = names::kFrontEndFile;
std::string toolkitPlatformSwitch = "-platform";
std::string toolkitPlatform;
std::vector<char*> toolkitArgv;

void RegisterFontStandIns() {
  // Debian's font configuration maps neither Windows name; without these the
  // Japanese texts would fall back to a font without Japanese glyphs.
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"),
                             {"IPAPGothic", "Noto Sans CJK JP", "IPAGothic"});
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", "IPAPGothic"});
}

}  // namespace

void StartToolkit(ToolkitWindows windows) {
  if (application) return;
  toolkitArgv = {toolkitProgramName.data()};
  toolkitPlatform =
      ToolkitPlatform(windows, std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
  if (!toolkitPlatform.empty()) {
    toolkitArgv.push_back(toolkitPlatformSwitch.data());
    toolkitArgv.push_back(toolkitPlatform.data());
  }
  toolkitArgc = static_cast<int>(toolkitArgv.size());
  toolkitArgv.push_back(nullptr);
  application = new QApplication(toolkitArgc, toolkitArgv.data());
  QApplication::setQuitOnLastWindowClosed(false);
  RegisterFontStandIns();
}

bool ToolkitStarted() { return application != nullptr; }

bool WindowsPlacedByCompositor() {
  return application && QGuiApplication::platformName().startsWith("wayland");
}

Display* ToolkitDisplay() {
  if (!application) return nullptr;
  const auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

void FlushWindowRequests() {
  if (Display* display = ToolkitDisplay()) XFlush(display);
}

void ShowMessage(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
  box.exec();
}

QSize ScreenSizeTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize pixels = screen->size();
  return {PixelsToTwips(pixels.width()), PixelsToTwips(pixels.height())};
}

void SetBusyPointer(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace veyora::frontend::ui

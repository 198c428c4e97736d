#include "frontend/ui/toolkit.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <string>

#include "frontend/ui/twips.h"
#include "platform/shared_names.h"

#include <X11/Xlib.h>

namespace veyora::frontend::ui {
namespace {

// Lives until the process ends; the program never tears it down.
QApplication* application = nullptr;
// The toolkit keeps references to these for its whole life.
int toolkitArgc = 1;
std::string toolkitProgramName = names::kFrontEndFile;
char* toolkitArgv[] = {toolkitProgramName.data(), nullptr};

void RegisterFontStandIns() {
  // Debian's font configuration maps neither Windows name; without these the
  // Japanese texts would fall back to a font without Japanese glyphs.
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"),
                             {"IPAPGothic", "Noto Sans CJK JP", "IPAGothic"});
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", "IPAPGothic"});
}

}  // namespace

void StartToolkit() {
  if (application) return;
  application = new QApplication(toolkitArgc, toolkitArgv);
  QApplication::setQuitOnLastWindowClosed(false);
  RegisterFontStandIns();
}

bool ToolkitStarted() { return application != nullptr; }

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

#include "platform/x_connection.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<unsigned long> errorCount{0};

int RecordError(Display*, XErrorEvent*) {
  ++errorCount;
  return 0;
}

}  // namespace

void TolerateXErrors() { XSetErrorHandler(RecordError); }

Display* SharedDisplay() {
  static Display* display = [] {
    TolerateXErrors();
    return XOpenDisplay(nullptr);
  }();
  return display;
}

XErrorScope::XErrorScope(Display* display) : display_(display) {
  TolerateXErrors();
  XSync(display_, False);
  errorsAtStart_ = errorCount.load();
}

bool XErrorScope::Failed() {
  XSync(display_, False);
  return errorCount.load() != errorsAtStart_;
}

}  // namespace platform

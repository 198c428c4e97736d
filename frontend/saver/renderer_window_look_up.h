#pragma once

#include <string>

typedef struct _XDisplay Display;

namespace veyora::frontend {

// Answers, over and over, whether a top-level window with a given title exists.
// The window found last time answers as long as it exists and keeps that title;
// only then is the whole display searched again. The answer is the same as a full
// search's, at a small part of its round trips to the X server.
class RendererWindowLookUp {
 public:
  RendererWindowLookUp(Display* display, std::string title)
      : display_(display), title_(std::move(title)) {}

  bool WindowPresent();

 private:
  Display* display_;
  std::string title_;
  unsigned long found_ = 0;  // the X window found last time; 0 for none
};

}  // namespace veyora::frontend

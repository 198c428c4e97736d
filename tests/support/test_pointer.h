#pragma once

#include <memory>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/sway_session.h"

namespace testsupport {

// A pointer device on a sway session's seat, as a mouse plugged in gives one: from
// its creation until it goes, clients see a seat with a pointer. Each call returns
// once the compositor has taken the input; false when it did not.
class TestPointer {
 public:
  explicit TestPointer(const SwaySession& session);
  ~TestPointer();
  TestPointer(const TestPointer&) = delete;
  TestPointer& operator=(const TestPointer&) = delete;

  bool Ready() const { return ready_; }
  // Moves the pointer by (dx, dy) pixels.
  bool Move(double dx, double dy);
  // Puts the pointer at (x, y) of the whole layout of outputs, `width` x `height`.
  bool MoveTo(int x, int y, int width, int height);
  // Presses and releases button 1, 2 or 3.
  bool Click(int button);
  // A keyboard joins the seat as well and stays while this object lives, so that
  // windows get the keyboard focus (sway gives none while the seat has no keyboard).
  bool AddKeyboard();

 private:
  bool Send(const std::string& command);
  bool ReadLine(std::string& line);

  std::unique_ptr<ChildProcess> tool_;
  int commands_ = -1;
  int answers_ = -1;
  std::string pending_;
  bool ready_ = false;
};

}  // namespace testsupport

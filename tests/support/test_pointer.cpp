#include "tests/support/test_pointer.h"

#include <poll.h>
#include <unistd.h>

#include <sstream>

namespace testsupport {

namespace {

constexpr int kAnswerMs = 30000;

}  // namespace

TestPointer::TestPointer(const SwaySession& session) {
  int toTool[2], fromTool[2];
  if (pipe(toTool) != 0) return;
  if (pipe(fromTool) != 0) {
    close(toTool[0]);
    close(toTool[1]);
    return;
  }
  std::map<std::string, std::string> env = session.Environment();
  const SessionUser user = session.User();
  tool_ = std::make_unique<ChildProcess>(
      VEYORA_TEST_POINTER, std::vector<std::string>{}, env, [&toTool, &fromTool, user] {
        dup2(toTool[0], STDIN_FILENO);
        dup2(fromTool[1], STDOUT_FILENO);
        for (int fd : {toTool[0], toTool[1], fromTool[0], fromTool[1]}) {
          close(fd);
        }
        BecomeUser(user);
      });
  close(toTool[0]);
  close(fromTool[1]);
  commands_ = toTool[1];
  answers_ = fromTool[0];
  std::string line;
  ready_ = ReadLine(line) && line == "ready";
}

TestPointer::~TestPointer() {
  if (commands_ >= 0) close(commands_);
  if (answers_ >= 0) close(answers_);
  if (tool_) tool_->WaitExit(5000);
}

bool TestPointer::Move(double dx, double dy) {
  std::ostringstream command;
  command << "move " << dx << " " << dy;
  return Send(command.str());
}

bool TestPointer::MoveTo(int x, int y, int width, int height) {
  std::ostringstream command;
  command << "to " << x << " " << y << " " << width << " " << height;
  return Send(command.str());
}

bool TestPointer::Click(int button) { return Send("click " + std::to_string(button)); }

bool TestPointer::AddKeyboard() { return Send("keyboard"); }

bool TestPointer::Send(const std::string& command) {
  if (!ready_) return false;
  const std::string line = command + "\n";
  if (write(commands_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return false;
  std::string answer;
  return ReadLine(answer) && answer == "done";
}

bool TestPointer::ReadLine(std::string& line) {
  while (true) {
    const size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return true;
    }
    pollfd readable{answers_, POLLIN, 0};
    if (poll(&readable, 1, kAnswerMs) <= 0) return false;
    char buffer[256];
    const ssize_t got = read(answers_, buffer, sizeof buffer);
    if (got <= 0) return false;
    pending_.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace testsupport

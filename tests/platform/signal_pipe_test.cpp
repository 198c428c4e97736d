#include "platform/signal_pipe.h"

#include <poll.h>
#include <signal.h>

#include <gtest/gtest.h>

#include "platform/termination_signals.h"

namespace {

bool Readable(int fd) {
  pollfd watched{fd, POLLIN, 0};
  return poll(&watched, 1, 0) == 1;
}

TEST(SignalPipe, HandsOverEverySignalInOrderAndEmptiesOnceRead) {
  ASSERT_TRUE(platform::PipeSignals({SIGUSR1, SIGUSR2}, SA_RESTART));
  EXPECT_FALSE(platform::SignalNoted(SIGUSR1));
  raise(SIGUSR2);
  raise(SIGUSR1);
  raise(SIGUSR2);
  EXPECT_TRUE(platform::SignalNoted(SIGUSR1));
  EXPECT_TRUE(platform::SignalNoted(SIGUSR2));
  EXPECT_TRUE(Readable(platform::SignalPipeFd()));
  EXPECT_EQ(platform::TakeNotedSignals(), (std::vector<int>{SIGUSR2, SIGUSR1, SIGUSR2}));
  EXPECT_FALSE(Readable(platform::SignalPipeFd()));
  EXPECT_TRUE(platform::TakeNotedSignals().empty());
}

TEST(SignalPipe, TerminationSignalsShareThePipe) {
  ASSERT_TRUE(platform::CatchTerminationSignals(platform::InterruptedCalls::CutShort));
  EXPECT_FALSE(platform::TerminationRequested());
  raise(SIGHUP);
  EXPECT_TRUE(platform::TerminationRequested());
  EXPECT_EQ(platform::TerminationFd(), platform::SignalPipeFd());
  EXPECT_EQ(platform::TakeNotedSignals(), std::vector<int>{SIGHUP});
}

}  // namespace

#include "tests/support/session_user.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace testsupport {

namespace {

constexpr char kAccount[] = "veyora-test";

std::optional<SessionUser> Lookup() {
  const passwd* entry = getpwnam(kAccount);
  if (!entry) return std::nullopt;
  return SessionUser{entry->pw_uid, entry->pw_gid, true};
}

}  // namespace

std::optional<SessionUser> TestSessionUser() {
  if (geteuid() != 0) return SessionUser{geteuid(), getegid(), false};
  // Tests running side by side may race to make the account; useradd fails for all
  // but one of them while it holds the password file's lock, so look again.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (auto user = Lookup()) return user;
    const std::string add =
        std::string("useradd --system --no-create-home --shell /usr/sbin/nologin ") + kAccount +
        " >/dev/null 2>&1";
    if (std::system(add.c_str()) == 0) continue;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

void BecomeUser(const SessionUser& user) {
  if (!user.switches) return;
  if (setgroups(0, nullptr) != 0 || setgid(user.gid) != 0 || setuid(user.uid) != 0) _exit(126);
}

bool GiveToUser(const std::string& path, const SessionUser& user) {
  return !user.switches || chown(path.c_str(), user.uid, user.gid) == 0;
}

}  // namespace testsupport

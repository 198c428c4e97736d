#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace testsupport {

// The account a compositor session's programs run under. sway refuses to run as
// root, so a test run as root (as CI runs the suite) runs the compositor and the
// programs under test as an unprivileged account made for the purpose; any other
// caller runs them as itself.
struct SessionUser {
  uid_t uid = 0;
  gid_t gid = 0;
  // True when the programs must drop from root to this account.
  bool switches = false;
};

// The account to use, made first when running as root and it does not exist yet;
// nullopt when running as root and the account cannot be made.
std::optional<SessionUser> TestSessionUser();

// In a freshly forked child: takes on the account for good (groups, group, user).
// Ends the child with status 126 when that fails, so nothing runs as root by mistake.
void BecomeUser(const SessionUser& user);

// Hands a file or folder made by the test to the account; false when that fails.
bool GiveToUser(const std::string& path, const SessionUser& user);

}  // namespace testsupport

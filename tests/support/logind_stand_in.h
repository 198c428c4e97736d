#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/private_bus.h"

namespace testsupport {

// logind as a desktop session sees it, on a system bus of the test's own:
// python3-dbusmock's logind template with one active session, kSessionId, of the
// account `uid`. Its lock hint is the session's and anyone may set it (the shells'
// lockers do when they lock); its inhibitors are those that `systemd-inhibit` takes
// through it. Ends, by its process id, when the object goes.
class LogindStandIn {
 public:
  static constexpr char kSessionId[] = "c1";

  LogindStandIn(const PrivateBus& systemBus, uid_t uid);
  LogindStandIn(const LogindStandIn&) = delete;
  LogindStandIn& operator=(const LogindStandIn&) = delete;
  ~LogindStandIn();

  // True once logind answers with the session in place.
  bool Running() const { return running_; }

  bool SetLockedHint(bool locked) const;
  // The session's lock hint; nullopt when it cannot be read.
  std::optional<bool> LockedHint() const;

  // Asks the session's locker to lock or to unlock, as `loginctl lock-session` and
  // `loginctl unlock-session` do (logind's Lock and Unlock signals on the session).
  bool AskToLock(bool lock) const;

  // Holds an idle block as a player or a presentation does (`systemd-inhibit
  // --what=idle --mode=block`) until the returned process is ended.
  std::unique_ptr<ChildProcess> HoldIdleBlock() const;
  // logind's list of inhibitors, in gdbus's text form.
  std::string Inhibitors() const;

 private:
  std::string SessionPath() const;

  const PrivateBus& bus_;
  std::unique_ptr<ChildProcess> mock_;
  bool running_ = false;
};

// A stand-in for another service on the bus: python3-dbusmock serving `name` with
// an empty object at `path` of `interface`, to which the test adds properties and
// methods through org.freedesktop.DBus.Mock. Ends when the object goes.
class MockService {
 public:
  MockService(const PrivateBus& bus, bool systemBus, const std::string& name,
              const std::string& path, const std::string& interface);
  MockService(const MockService&) = delete;
  MockService& operator=(const MockService&) = delete;
  ~MockService();

  bool Running() const { return running_; }
  // Adds a property with a value in GVariant text ("<'43.0'>", "<true>").
  bool AddProperty(const std::string& name, const std::string& value) const;
  // Adds a method whose body is Python, as dbusmock takes it ("ret = True").
  bool AddMethod(const std::string& name, const std::string& inSignature,
                 const std::string& outSignature, const std::string& code) const;

 private:
  const PrivateBus& bus_;
  std::string name_, path_, interface_;
  std::unique_ptr<ChildProcess> mock_;
  bool running_ = false;
};

}  // namespace testsupport

#include "tests/support/logind_stand_in.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include "tests/support/x_wait.h"

namespace testsupport {

namespace {

constexpr int kStartMs = 60000;
constexpr char kLogind[] = "org.freedesktop.login1";
constexpr char kManagerPath[] = "/org/freedesktop/login1";
constexpr char kMockInterface[] = "org.freedesktop.DBus.Mock";
// Debian's python3 with python3-dbusmock; another python3 on PATH may lack it.
constexpr char kPython[] = "/usr/bin/python3";

std::string UserName(uid_t uid) {
  const passwd* entry = getpwuid(uid);
  return entry ? entry->pw_name : "user" + std::to_string(uid);
}

std::unique_ptr<ChildProcess> StartMock(const PrivateBus& bus, bool systemBus,
                                        const std::vector<std::string>& args) {
  std::vector<std::string> all = {"-m", "dbusmock"};
  if (systemBus) all.push_back("--system");
  all.insert(all.end(), args.begin(), args.end());
  const char* variable = systemBus ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
  return std::make_unique<ChildProcess>(
      kPython, all, std::map<std::string, std::string>{{variable, bus.Address()}});
}

void End(std::unique_ptr<ChildProcess>& process) {
  if (!process || !process->Running()) return;
  process->Signal(SIGTERM);
  process->WaitExit(10000);
}

}  // namespace

LogindStandIn::LogindStandIn(const PrivateBus& systemBus, uid_t uid) : bus_(systemBus) {
  if (!bus_.Running()) return;
  mock_ = StartMock(bus_, true, {"--template", "logind"});
  const bool answers = WaitUntil(
      [&] {
        return !mock_->Running() ||
               bus_.Call(kLogind, kManagerPath, "org.freedesktop.login1.Manager.ListSessions")
                   .Succeeded();
      },
      kStartMs, 50);
  // Every caller is taken to be in the one session: logind's own answer for "auto" and
  // "self", and by process, for callers in it.
  const std::string session = std::string("\"") + kManagerPath + "/session/" + kSessionId + "\"";
  running_ =
      answers && mock_->Running() &&
      bus_.Call(kLogind, kManagerPath, std::string(kMockInterface) + ".AddSession",
                {kSessionId, "seat0", std::to_string(uid), UserName(uid), "true"})
          .Succeeded() &&
      bus_.Call(kLogind, kManagerPath, std::string(kMockInterface) + ".AddMethod",
                {"org.freedesktop.login1.Manager", "GetSession", "s", "o",
                 "ret = " + session +
                     " if args[0] in ('auto', 'self') else "
                     "'/org/freedesktop/login1/session/' + args[0]"})
          .Succeeded() &&
      bus_.Call(kLogind, kManagerPath, std::string(kMockInterface) + ".AddMethod",
                {"org.freedesktop.login1.Manager", "GetSessionByPID", "u", "o", "ret = " + session})
          .Succeeded();
}

LogindStandIn::~LogindStandIn() { End(mock_); }

std::string LogindStandIn::SessionPath() const {
  return std::string(kManagerPath) + "/session/" + kSessionId;
}

bool LogindStandIn::SetLockedHint(bool locked) const {
  return bus_
      .Call(kLogind, SessionPath(), "org.freedesktop.login1.Session.SetLockedHint",
            {locked ? "true" : "false"})
      .Succeeded();
}

std::optional<bool> LogindStandIn::LockedHint() const {
  const CapturedRun run = bus_.Call(kLogind, SessionPath(), "org.freedesktop.DBus.Properties.Get",
                                    {"org.freedesktop.login1.Session", "LockedHint"});
  if (!run.Succeeded()) return std::nullopt;
  return run.output.find("true") != std::string::npos;
}

bool LogindStandIn::AskToLock(bool lock) const {
  return bus_
      .Call(kLogind, SessionPath(), std::string(kMockInterface) + ".EmitSignal",
            {"org.freedesktop.login1.Session", lock ? "Lock" : "Unlock", "", "@av []"})
      .Succeeded();
}

std::unique_ptr<ChildProcess> LogindStandIn::HoldIdleBlock() const {
  return std::make_unique<ChildProcess>(
      "/usr/bin/systemd-inhibit",
      std::vector<std::string>{"--what=idle", "--mode=block", "--who=test player",
                               "--why=playing a film", "sleep", "3600"},
      std::map<std::string, std::string>{{"DBUS_SYSTEM_BUS_ADDRESS", bus_.Address()}});
}

std::string LogindStandIn::Inhibitors() const {
  return bus_.Call(kLogind, kManagerPath, "org.freedesktop.login1.Manager.ListInhibitors").output;
}

MockService::MockService(const PrivateBus& bus, bool systemBus, const std::string& name,
                         const std::string& path, const std::string& interface)
    : bus_(bus), name_(name), path_(path), interface_(interface) {
  if (!bus_.Running()) return;
  mock_ = StartMock(bus_, systemBus, {name, path, interface});
  running_ =
      WaitUntil(
          [&] {
            return !mock_->Running() ||
                   bus_.Call(name_, path_, std::string(kMockInterface) + ".GetCalls").Succeeded();
          },
          kStartMs, 50) &&
      mock_->Running();
}

MockService::~MockService() { End(mock_); }

bool MockService::AddProperty(const std::string& name, const std::string& value) const {
  return bus_
      .Call(name_, path_, std::string(kMockInterface) + ".AddProperty", {interface_, name, value})
      .Succeeded();
}

bool MockService::AddMethod(const std::string& name, const std::string& inSignature,
                            const std::string& outSignature, const std::string& code) const {
  return bus_
      .Call(name_, path_, std::string(kMockInterface) + ".AddMethod",
            {interface_, name, inSignature, outSignature, code})
      .Succeeded();
}

}  // namespace testsupport

#include "frontend/desktop/idle_blocks.h"

#include <QDBusArgument>
#include <QDBusConnection>

#include "frontend/desktop/bus_calls.h"
#include "frontend/desktop/idle_block_rules.h"
#include "frontend/desktop/logind_session.h"

namespace veyora::frontend {

namespace {

constexpr char kPolicyAgent[] = "org.kde.Solid.PowerManagement.PolicyAgent";
constexpr char kPolicyAgentPath[] = "/org/kde/Solid/PowerManagement/PolicyAgent";
// PowerDevil's policy ChangeScreenSettings: the screen may not be dimmed, turned
// off or locked.
constexpr uint kChangeScreenSettings = 4;

// logind's ListInhibitors, a(ssssuu): what, who, why, mode, uid, pid.
std::vector<LogindInhibitor> Inhibitors(const QDBusMessage& reply) {
  std::vector<LogindInhibitor> inhibitors;
  const auto value = ReplyValue(reply);
  if (!value || !value->canConvert<QDBusArgument>()) return inhibitors;
  const QDBusArgument list = value->value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    QString what, who, why, mode;
    uint uid = 0, pid = 0;
    list.beginStructure();
    list >> what >> who >> why >> mode >> uid >> pid;
    list.endStructure();
    inhibitors.push_back({what.toStdString(), mode.toStdString()});
  }
  list.endArray();
  return inhibitors;
}

}  // namespace

IdleBlocks::IdleBlocks(DesktopKind desktop) : desktop_(desktop) {
  if (desktop_ != DesktopKind::Kde) return;
  QDBusConnection::sessionBus().connect(kPolicyAgent, kPolicyAgentPath, kPolicyAgent,
                                        "InhibitionsChanged", this,
                                        SLOT(InhibitionsChanged(QDBusMessage)));
}

bool IdleBlocks::Held() {
  return LogindBlocksIdle() || (desktop_ == DesktopKind::Kde && PowerDevilInhibits());
}

bool IdleBlocks::LogindBlocksIdle() {
  const QDBusConnection system = QDBusConnection::systemBus();
  if (!system.isConnected()) return false;
  // Every logind has the list; the summary of what is blocked saves reading it.
  const auto blocked =
      BusProperty(system, kLogindService, kLogindManagerPath, kLogindManager, "BlockInhibited");
  if (blocked && blocked->metaType() == QMetaType::fromType<QString>()) {
    return NamesIdle(blocked->toString().toStdString());
  }
  return HoldsIdleBlock(Inhibitors(
      CallOnBus(system, kLogindService, kLogindManagerPath, kLogindManager, "ListInhibitors")));
}

bool IdleBlocks::PowerDevilInhibits() {
  const auto held =
      ReplyValue(CallOnBus(QDBusConnection::sessionBus(), kPolicyAgent, kPolicyAgentPath,
                           kPolicyAgent, "HasInhibition", {kChangeScreenSettings}));
  return held && held->toBool();
}

void IdleBlocks::InhibitionsChanged(const QDBusMessage&) {
  if (onChanged) onChanged();
}

}  // namespace veyora::frontend

#include "frontend/saver/hosted_run.h"

#include <cstdio>

#include "frontend/system/session_claim.h"
#include "platform/x_connection.h"

namespace veyora::frontend {

HostedRun::HostedRun(const Settings& settings, uint32_t hostWindow, bool withMusic,
                     std::string rendererPath)
    : Quorin05_S(settings, QString(), std::move(rendererPath), std::nullopt),
      hostWindow_(hostWindow),
      withMusic_(withMusic) {}

std::vector<std::string> HostedRun::RendererArguments() const {
  char id[16];
  std::snprintf(id, sizeof id, "0x%x", hostWindow_);
  return {"-window-id", id};
}

bool HostedRun::PlaysMusic() {
  return withMusic_ && Claim({DisplayClaimName("music", DisplayString(platform::SharedDisplay()))});
}

}  // namespace veyora::frontend

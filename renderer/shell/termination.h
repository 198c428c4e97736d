#pragma once

namespace veyora {

// SIGTERM, SIGINT and SIGHUP are the system ending the process: from now on each of
// them only sets a flag that the frame loop reads, so the renderer tears down and
// exits 0 at once, whatever input has been seen. No SA_RESTART, so a pacing sleep or
// an event wait is cut short.
void InstallTerminationHandlers();

// Asks the kernel for SIGTERM when the process that started the renderer dies, even
// by SIGKILL, so a renderer is never left covering the screen on its own. A parent
// that died before the request is caught too.
void EndWithParent();

// True once one of the signals above has arrived.
bool TerminationRequested();

// A descriptor that becomes readable when one of the signals arrives (or has
// arrived), so a wait on it ends at once; -1 before the handlers are installed.
int TerminationFd();

}  // namespace veyora

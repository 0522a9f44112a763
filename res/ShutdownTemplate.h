#pragma once

namespace res {
// "Restart and Shut Down", the shutdown scheduler's dialog.
void RegisterShutdownTemplate();
} // namespace res

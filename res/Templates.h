#pragma once

// The About box's template; RegisterResources calls it.
namespace res {
void RegisterAboutTemplate();
} // namespace res

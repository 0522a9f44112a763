#pragma once

// The dialog templates, one file each; RegisterResources calls them.
namespace res {
void RegisterAboutTemplate();
void RegisterSystemInfoTemplate();
} // namespace res

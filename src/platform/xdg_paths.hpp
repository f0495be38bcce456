#pragma once

#include <filesystem>

#include "platform/process_info.hpp"

namespace tavorin {

// The per-user folders of the XDG base directory convention. A relative or empty variable is
// ignored, as the convention asks; without HOME the current folder stands in.
std::filesystem::path xdgConfigHome(const ProcessInfo& process);
std::filesystem::path xdgDataHome(const ProcessInfo& process);
std::filesystem::path xdgRuntimeDir(const ProcessInfo& process);
std::filesystem::path xdgCacheHome(const ProcessInfo& process);

}  // namespace tavorin

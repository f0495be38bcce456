#include "platform/xdg_paths.hpp"

namespace tavorin {

namespace {

std::filesystem::path homeFolder(const ProcessInfo& process) {
  auto home = process.environment("HOME");
  return home && !home->empty() ? std::filesystem::path(*home) : std::filesystem::path(".");
}

std::filesystem::path fromVariable(const ProcessInfo& process, std::string_view variable,
                                   const std::filesystem::path& fallback) {
  if (auto value = process.environment(variable)) {
    std::filesystem::path path(*value);
    if (path.is_absolute()) return path;
  }
  return fallback;
}

}  // namespace

std::filesystem::path xdgConfigHome(const ProcessInfo& process) {
  return fromVariable(process, "XDG_CONFIG_HOME", homeFolder(process) / ".config");
}

std::filesystem::path xdgDataHome(const ProcessInfo& process) {
  return fromVariable(process, "XDG_DATA_HOME", homeFolder(process) / ".local" / "share");
}

std::filesystem::path xdgRuntimeDir(const ProcessInfo& process) {
  return fromVariable(process, "XDG_RUNTIME_DIR", std::filesystem::temp_directory_path());
}

std::filesystem::path xdgCacheHome(const ProcessInfo& process) {
  return fromVariable(process, "XDG_CACHE_HOME", homeFolder(process) / ".cache");
}

}  // namespace tavorin

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavorin {

// The running process's command line and environment (`ProcessInfo`).
class ProcessInfo {
 public:
  virtual ~ProcessInfo() = default;
  // argv, program name first.
  virtual std::vector<std::string> arguments() const = 0;
  virtual std::optional<std::string> environment(std::string_view name) const = 0;

  bool hasArgument(std::string_view argument) const;
};

}  // namespace tavorin

#pragma once

#include "platform/process_info.hpp"

namespace tavorin::native {

// This process's real command line and environment.
class NativeProcessInfo final : public ProcessInfo {
 public:
  NativeProcessInfo(int argc, const char* const* argv);
  std::vector<std::string> arguments() const override { return arguments_; }
  std::optional<std::string> environment(std::string_view name) const override;

 private:
  std::vector<std::string> arguments_;
};

}  // namespace tavorin::native

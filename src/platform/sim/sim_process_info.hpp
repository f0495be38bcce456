#pragma once

#include <map>

#include "platform/process_info.hpp"

namespace tavorin::sim {

// A process whose arguments and environment a test sets.
class SimProcessInfo final : public ProcessInfo {
 public:
  std::vector<std::string> arguments() const override { return arguments_; }
  std::optional<std::string> environment(std::string_view name) const override {
    if (auto it = environment_.find(name); it != environment_.end()) return it->second;
    return std::nullopt;
  }

  void setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  void setEnvironment(std::string name, std::optional<std::string> value) {
    if (value) {
      environment_.insert_or_assign(std::move(name), std::move(*value));
    } else {
      environment_.erase(name);
    }
  }

 private:
  std::vector<std::string> arguments_{"tavorin"};
  std::map<std::string, std::string, std::less<>> environment_;
};

}  // namespace tavorin::sim

#include "platform/native/native_process_info.hpp"

#include <cstdlib>
#include <string>

namespace tavorin::native {

NativeProcessInfo::NativeProcessInfo(int argc, const char* const* argv)
    : arguments_(argv, argv + argc) {}

std::optional<std::string> NativeProcessInfo::environment(std::string_view name) const {
  const char* value = std::getenv(std::string(name).c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace tavorin::native

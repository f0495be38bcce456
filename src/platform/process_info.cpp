#include "platform/process_info.hpp"

#include <algorithm>

namespace tavorin {

bool ProcessInfo::hasArgument(std::string_view argument) const {
  const auto args = arguments();
  return std::find(args.begin(), args.end(), argument) != args.end();
}

}  // namespace tavorin

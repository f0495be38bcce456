#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/signal.hpp"

namespace tavorin {

enum class LogLevel { debug, info, notice, error, fault };

struct LogEntry {
  std::string subsystem;  // empty for the program's plain one-line messages
  std::string category;
  LogLevel level = LogLevel::notice;
  std::string message;
};

// The system log (the unified log; syslog and standard error here). Tests observe what is
// written instead of reading the log.
class SystemLog {
 public:
  static void write(LogEntry entry);
  // One line for a failure that has no subsystem of its own.
  static void line(std::string_view message);
  [[nodiscard]] static Subscription observe(std::function<void(const LogEntry&)> observer);
};

}  // namespace tavorin

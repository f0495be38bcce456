#include "platform/system_log.hpp"

#include <syslog.h>

#include <cstdio>

namespace tavorin {

namespace {

Signal<const LogEntry&>& observers() {
  static Signal<const LogEntry&> signal;
  return signal;
}

int priority(LogLevel level) {
  switch (level) {
    case LogLevel::debug:
      return LOG_DEBUG;
    case LogLevel::info:
      return LOG_INFO;
    case LogLevel::notice:
      return LOG_NOTICE;
    case LogLevel::error:
      return LOG_ERR;
    case LogLevel::fault:
      return LOG_CRIT;
  }
  return LOG_NOTICE;
}

}  // namespace

void SystemLog::write(LogEntry entry) {
  std::string text = entry.subsystem.empty()
                         ? entry.message
                         : "[" + entry.subsystem + ":" + entry.category + "] " + entry.message;
  ::syslog(LOG_USER | priority(entry.level), "%s", text.c_str());
  if (entry.level != LogLevel::debug) std::fprintf(stderr, "tavorin: %s\n", text.c_str());
  observers().emit(entry);
}

void SystemLog::line(std::string_view message) {
  write(LogEntry{{}, {}, LogLevel::error, std::string(message)});
}

Subscription SystemLog::observe(std::function<void(const LogEntry&)> observer) {
  return observers().connect(std::move(observer));
}

}  // namespace tavorin

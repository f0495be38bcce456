#pragma once

namespace tavorin {

// The system's alert sound, for a command that has nothing to do (NSBeep).
class SystemBeep {
 public:
  virtual ~SystemBeep() = default;
  virtual void beep() = 0;
};

}  // namespace tavorin

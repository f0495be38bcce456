// A second process for the preference store tests: writes `count` integer keys named
// "<prefix><n>" into the store file given, one write at a time.
#include <cstdlib>
#include <string>

#include "platform/native/file_preference_store.hpp"
#include "platform/sim/sim_run_loop.hpp"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  tavorin::sim::VirtualClock clock;
  tavorin::sim::SimRunLoop loop(clock);
  tavorin::NotificationCenter notifications;
  tavorin::native::FilePreferenceStore store(argv[1], notifications, loop);
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i)
    store.setInt(std::string(argv[2]) + std::to_string(i), i);
  return 0;
}

#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/executor.hpp"
#include "platform/run_loop.hpp"

namespace tavorin::ui {

// How many visible entries the subfolders on screen hold, counted in the background the first
// time a folder's size cell is drawn. A folder that cannot be read stays unknown. A count still
// under way when its cell leaves the screen is dropped (and not made if it had not started).
class ChildCounts {
 public:
  // `updated` runs on the main loop when a folder's count became known.
  ChildCounts(RunLoop& runLoop, Executor& executor,
              std::function<void(const std::filesystem::path&)> updated);
  ~ChildCounts();
  ChildCounts(const ChildCounts&) = delete;
  ChildCounts& operator=(const ChildCounts&) = delete;

  // The count of `folder` once known; asks for it the first time.
  std::optional<std::int64_t> count(const std::filesystem::path& folder);
  // Drops the counts still under way for folders not in `onScreen`.
  void retain(const std::unordered_set<std::string>& onScreen);

 private:
  struct Entry {
    enum class State { waiting, known, unreadable };
    State state = State::waiting;
    std::int64_t count = 0;
    std::shared_ptr<std::atomic<bool>> cancelled;
  };

  RunLoop& runLoop_;
  Executor& executor_;
  std::function<void(const std::filesystem::path&)> updated_;
  std::unordered_map<std::string, Entry> entries_;
  // Work that reports back holds this weakly: nothing is reported to a destroyed object.
  std::shared_ptr<ChildCounts*> self_;
};

}  // namespace tavorin::ui

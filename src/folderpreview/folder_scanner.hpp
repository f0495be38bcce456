#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "folderpreview/folder_item.hpp"
#include "platform/clock.hpp"

namespace tavorin {

// The result of a size measurement.
struct SizeSummary {
  // Sum of the logical sizes of the regular files counted.
  std::int64_t bytes = 0;
  // Number of regular files counted.
  std::int64_t fileCount = 0;
  // The whole tree was walked (false when the walk was cut short or could not start).
  bool isComplete = false;

  bool operator==(const SizeSummary&) const = default;
};

// Why a folder could not be listed.
struct ScanError {
  // The operating system's error number.
  int code = 0;
  // The system's description of the error.
  std::string description;

  bool isPermissionDenied() const;
  bool operator==(const ScanError&) const = default;
};

// The children of a folder, or why there are none.
struct FolderListing {
  std::vector<FolderItem> items;
  std::optional<ScanError> error;

  bool succeeded() const { return !error.has_value(); }
};

// A moment on a clock's uptime after which a walk gives up. The programs use the real
// monotonic clock; tests may place it in the past.
class Deadline {
 public:
  Deadline(const Clock& clock, Seconds uptime) : clock_(&clock), uptime_(uptime) {}
  // `seconds` from now.
  static Deadline in(const Clock& clock, Seconds seconds) {
    return Deadline(clock, clock.uptime() + seconds);
  }
  bool hasPassed() const { return clock_->uptime() > uptime_; }

 private:
  const Clock* clock_;
  Seconds uptime_;
};

// The file-system side of the folder preview. Keeps no state; every operation is synchronous
// and safe to call from any thread, several at a time.
namespace FolderScanner {

// How many entries a measurement visits between two checks of its limits.
inline constexpr std::int64_t checkInterval = 256;

// The direct children of `folder`, in the order the file system returns them, each read with
// one directory read and one attribute read relative to the open folder. Without
// `includeHidden`, names beginning with "." are left out. Kinds are named in the current
// interface language. `kinds` may be null (no kinds, no packages).
FolderListing listContents(const std::filesystem::path& folder, bool includeHidden,
                           const FileKindProvider* kinds);

// Walks the whole tree below `folder` without following symbolic links and sums the logical
// sizes of its regular files. Unreadable folders are skipped. Every `checkInterval` visited
// entries it stops, incomplete, when `deadline` has passed, when more than `maxItems` entries
// were visited, or when `isCancelled` answers true (tested in that order); the entry at hand is
// then not counted. A folder that cannot be opened gives an empty, incomplete summary.
SizeSummary measure(const std::filesystem::path& folder, const Deadline& deadline,
                    std::int64_t maxItems, const std::function<bool()>& isCancelled);

// The number of direct children of `folder` whose names do not begin with "."; absent when the
// folder cannot be read.
std::optional<std::int64_t> shallowCount(const std::filesystem::path& folder);

}  // namespace FolderScanner
}  // namespace tavorin

#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "folderpreview/folder_scanner.hpp"

namespace tavorin {

inline void PrintTo(const SizeSummary& summary, std::ostream* out) {
  *out << "{bytes " << summary.bytes << ", files " << summary.fileCount
       << (summary.isComplete ? ", complete}" : ", incomplete}");
}

}  // namespace tavorin

namespace tavorin::testing {

// A folder under the system's temporary folder, removed with everything in it (whatever its
// permissions) when the object goes.
class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavorin-fp-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ~TempTree() {
    std::error_code error;
    // Give every folder back its permissions so that its contents can be removed.
    ::chmod(root_.c_str(), 0755);
    restoreAll(root_);
    std::filesystem::remove_all(root_, error);
  }

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path operator/(std::string_view relative) const { return root_ / relative; }

  // A file of `size` bytes (parent folders are created).
  std::filesystem::path file(std::string_view relative, std::size_t size = 0) const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path.string());
    if (size > 0 && ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
      ::close(fd);
      throw std::runtime_error("cannot size " + path.string());
    }
    ::close(fd);
    return path;
  }
  std::filesystem::path folder(std::string_view relative) const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path);
    return path;
  }
  std::filesystem::path link(std::string_view relative, std::string_view target) const {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::create_symlink(target, path);
    return path;
  }
  // Sets the modification date of `relative` (not following a link).
  void touch(std::string_view relative, std::chrono::seconds sinceEpoch) const {
    const timespec times[2] = {{sinceEpoch.count(), 0}, {sinceEpoch.count(), 0}};
    ::utimensat(AT_FDCWD, (root_ / relative).c_str(), times, AT_SYMLINK_NOFOLLOW);
  }
  void chmod(std::string_view relative, mode_t mode) const {
    ::chmod((root_ / relative).c_str(), mode);
  }

 private:
  static void restoreAll(const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.is_directory(error) && !entry.is_symlink(error)) {
        ::chmod(entry.path().c_str(), 0755);
        restoreAll(entry.path());
      }
    }
  }

  std::filesystem::path root_;
};

// While alive, the calling thread checks file permissions like an ordinary user even when it
// runs as root: the capabilities that override read and search permissions are lowered for
// this thread only and raised again at the end. `works()` is false where permissions cannot be
// made to count (then the caller skips).
class PermissionsEnforced {
 public:
  PermissionsEnforced() {
    if (::geteuid() != 0) return;
    header_.version = _LINUX_CAPABILITY_VERSION_3;
    header_.pid = 0;
    if (::syscall(SYS_capget, &header_, saved_) != 0) {
      works_ = false;
      return;
    }
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    works_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    lowered_ = works_;
  }
  PermissionsEnforced(const PermissionsEnforced&) = delete;
  PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;
  ~PermissionsEnforced() {
    if (lowered_) ::syscall(SYS_capset, &header_, saved_);
  }

  // Whether a folder without permissions really refuses to be read by this thread.
  bool works(const std::filesystem::path& lockedFolder) const {
    if (!works_) return false;
    const int fd = ::open(lockedFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    return fd < 0;
  }

 private:
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2]{};
  bool works_ = true;
  bool lowered_ = false;
};

}  // namespace tavorin::testing

#include "folderpreview/folder_scanner.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "localization/localizer.hpp"

namespace tavorin {
namespace {

// Room for a few hundred directory entries per read.
constexpr std::size_t readBufferSize = 64 * 1024;

// Open flags of every folder we read: never inherited by child processes.
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool isDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls `visit(name, d_type)` for every entry of the open folder `fd` except "." and "..",
// reading the entries in large batches. `visit` returns false to stop early. Answers 0, or the
// error number of a failed read.
template <typename Visit>
int forEachEntry(int fd, char* buffer, std::size_t bufferSize, Visit&& visit) {
  for (;;) {
    const ssize_t length = ::getdents64(fd, buffer, bufferSize);
    if (length == 0) return 0;
    if (length < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t offset = 0; offset < length;) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
      offset += entry->d_reclen;
      if (isDotOrDotDot(entry->d_name)) continue;
      if (!visit(entry->d_name, entry->d_type)) return 0;
    }
  }
}

std::string errorDescription(int code) {
  char text[256];
  return ::strerror_r(code, text, sizeof text);
}

ScanError scanError(int code) {
  return ScanError{code, errorDescription(code)};
}

// The walk of `measure`: folder by folder through descriptors, never building a path. Each
// folder is read to its end before its subfolders are entered, so the only memory per folder
// is the list of its subfolders' names. At most `maxOpenFolders` descriptors are held; deeper
// trees close the shallowest ones and come back to them through "..".
class TreeWalker {
 public:
  TreeWalker(const Deadline& deadline, std::int64_t maxItems,
             const std::function<bool()>& isCancelled)
      : deadline_(deadline),
        maxItems_(maxItems),
        isCancelled_(isCancelled),
        buffer_(new char[readBufferSize]) {}
  TreeWalker(const TreeWalker&) = delete;
  TreeWalker& operator=(const TreeWalker&) = delete;
  ~TreeWalker() {
    for (const Frame& frame : frames_) {
      if (frame.fd >= 0) ::close(frame.fd);
    }
  }

  // Walks below the open folder `rootFd`, which the walker then owns.
  SizeSummary run(int rootFd) {
    const std::size_t rootNames = names_.size();
    frames_.push_back(Frame{rootFd, rootNames, rootNames, rootNames, 0, 0});
    if (!readFolder(rootFd)) return summary(false);
    frames_.back().namesEnd = names_.size();

    while (!frames_.empty()) {
      Frame& top = frames_.back();
      if (top.next == top.namesEnd) {
        leaveFolder();
        continue;
      }
      const char* name = names_.data() + top.next;
      top.next += std::strlen(name) + 1;
      // O_NOFOLLOW: a folder swapped for a link since it was listed is not entered.
      const int child = ::openat(top.fd, name, folderFlags | O_NOFOLLOW);
      if (child < 0) continue;  // unreadable: skipped
      const std::size_t begin = names_.size();
      frames_.push_back(Frame{child, begin, begin, begin, 0, 0});
      if (!readFolder(child)) return summary(false);
      frames_.back().namesEnd = names_.size();
      limitOpenFolders();
    }
    return summary(true);
  }

 private:
  static constexpr std::size_t maxOpenFolders = 64;

  struct Frame {
    int fd;                  // -1 while closed to save descriptors
    std::size_t namesBegin;  // this folder's subfolder names in `names_`
    std::size_t namesEnd;
    std::size_t next;  // the next subfolder to enter
    dev_t device;      // identity, recorded when the descriptor is closed
    ino_t inode;
  };

  SizeSummary summary(bool complete) const { return SizeSummary{bytes_, files_, complete}; }

  bool shouldStop() const {
    return deadline_.hasPassed() || visited_ > maxItems_ || (isCancelled_ && isCancelled_());
  }

  void countFile(int folderFd, const char* name) {
    struct statx attributes;
    if (::statx(folderFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_DONT_SYNC,
                STATX_SIZE, &attributes) != 0)
      return;  // vanished or unreadable: skipped
    if (attributes.stx_mask & STATX_SIZE) bytes_ += static_cast<std::int64_t>(attributes.stx_size);
    ++files_;
  }

  void queueFolder(const char* name) {
    names_.insert(names_.end(), name, name + std::strlen(name) + 1);
  }

  // Counts the files of one folder and queues its subfolders. False when a limit stopped the
  // walk.
  bool readFolder(int fd) {
    bool stopped = false;
    forEachEntry(fd, buffer_.get(), readBufferSize, [&](const char* name, unsigned char type) {
      ++visited_;
      if (visited_ % FolderScanner::checkInterval == 0 && shouldStop()) {
        stopped = true;
        return false;
      }
      switch (type) {
        case DT_REG:
          countFile(fd, name);
          break;
        case DT_DIR:
          queueFolder(name);
          break;
        case DT_UNKNOWN: {
          // File systems that do not report types in the listing.
          struct statx attributes;
          if (::statx(fd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_DONT_SYNC,
                      STATX_TYPE | STATX_SIZE, &attributes) != 0)
            break;
          if (S_ISREG(attributes.stx_mode)) {
            if (attributes.stx_mask & STATX_SIZE)
              bytes_ += static_cast<std::int64_t>(attributes.stx_size);
            ++files_;
          } else if (S_ISDIR(attributes.stx_mode)) {
            queueFolder(name);
          }
          break;
        }
        default:
          break;  // links, devices, pipes and sockets add nothing
      }
      return true;
    });
    return !stopped;
  }

  void limitOpenFolders() {
    if (frames_.size() - firstOpen_ <= maxOpenFolders) return;
    Frame& frame = frames_[firstOpen_++];
    struct stat attributes {};
    if (::fstat(frame.fd, &attributes) == 0) {
      frame.device = attributes.st_dev;
      frame.inode = attributes.st_ino;
    } else {
      frame.next = frame.namesEnd;  // cannot be found again: its other subfolders are skipped
    }
    ::close(frame.fd);
    frame.fd = -1;
  }

  void leaveFolder() {
    const Frame done = frames_.back();
    frames_.pop_back();
    names_.resize(done.namesBegin);
    if (!frames_.empty() && firstOpen_ >= frames_.size()) {
      // The parent's descriptor was closed: reopen it from here, if it is still our parent.
      firstOpen_ = frames_.size() - 1;
      Frame& parent = frames_.back();
      const int fd = done.fd >= 0 ? ::openat(done.fd, "..", folderFlags) : -1;
      struct stat attributes {};
      if (fd >= 0 && ::fstat(fd, &attributes) == 0 && attributes.st_dev == parent.device &&
          attributes.st_ino == parent.inode) {
        parent.fd = fd;
      } else {
        if (fd >= 0) ::close(fd);
        parent.next = parent.namesEnd;  // moved away during the walk: the rest is skipped
      }
    }
    if (done.fd >= 0) ::close(done.fd);
  }

  const Deadline& deadline_;
  const std::int64_t maxItems_;
  const std::function<bool()>& isCancelled_;
  std::unique_ptr<char[]> buffer_;
  std::vector<char> names_;
  std::vector<Frame> frames_;
  std::size_t firstOpen_ = 0;
  std::int64_t visited_ = 0;
  std::int64_t bytes_ = 0;
  std::int64_t files_ = 0;
};

}  // namespace

bool ScanError::isPermissionDenied() const {
  return code == EACCES || code == EPERM;
}

namespace FolderScanner {

FolderListing listContents(const std::filesystem::path& folder, bool includeHidden,
                           const FileKindProvider* kinds) {
  FolderListing listing;
  const FileDescriptor fd(::open(folder.c_str(), folderFlags));
  if (!fd.isOpen()) {
    listing.error = scanError(errno);
    return listing;
  }
  const std::string_view languageCode = Localizer::currentLanguage().code;
  const auto buffer = std::make_unique<char[]>(readBufferSize);
  const int failure =
      forEachEntry(fd.get(), buffer.get(), readBufferSize, [&](const char* name, unsigned char) {
        if (!includeHidden && name[0] == '.') return true;
        struct stat attributes;
        const bool read = ::fstatat(fd.get(), name, &attributes, AT_SYMLINK_NOFOLLOW) == 0;
        listing.items.push_back(FolderItem::fromAttributes(
            folder / name, name, read ? &attributes : nullptr, kinds, languageCode));
        return true;
      });
  if (failure != 0) {
    listing.items.clear();
    listing.error = scanError(failure);
  }
  return listing;
}

SizeSummary measure(const std::filesystem::path& folder, const Deadline& deadline,
                    std::int64_t maxItems, const std::function<bool()>& isCancelled) {
  const int root = ::open(folder.c_str(), folderFlags);
  if (root < 0) return SizeSummary{0, 0, false};
  TreeWalker walker(deadline, maxItems, isCancelled);
  return walker.run(root);
}

std::optional<std::int64_t> shallowCount(const std::filesystem::path& folder) {
  const FileDescriptor fd(::open(folder.c_str(), folderFlags));
  if (!fd.isOpen()) return std::nullopt;
  const auto buffer = std::make_unique<char[]>(readBufferSize);
  std::int64_t count = 0;
  const int failure =
      forEachEntry(fd.get(), buffer.get(), readBufferSize, [&](const char* name, unsigned char) {
        if (name[0] != '.') ++count;
        return true;
      });
  if (failure != 0) return std::nullopt;
  return count;
}

}  // namespace FolderScanner
}  // namespace tavorin

#include "platform/native/file_preference_store.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <iostream>
#include <nlohmann/json.hpp>

#include "platform/file_io.hpp"

namespace tavorin::native {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Byte values are stored as {"data": "<base64>"}; every other type maps onto plain JSON.
constexpr std::string_view kBytesField = "data";
constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64Encode(const Bytes& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t chunk = (bytes[i] << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                                (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += kBase64[(chunk >> 18) & 63];
    out += kBase64[(chunk >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(chunk >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kBase64[chunk & 63] : '=';
  }
  return out;
}

std::optional<Bytes> base64Decode(std::string_view text) {
  Bytes out;
  std::uint32_t chunk = 0;
  int bits = 0;
  for (char c : text) {
    if (c == '=') break;
    const auto index = kBase64.find(c);
    if (index == std::string_view::npos) return std::nullopt;
    chunk = (chunk << 6) | static_cast<std::uint32_t>(index);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<std::uint8_t>((chunk >> bits) & 0xFF));
    }
  }
  return out;
}

json encode(const PreferenceValue& value) {
  return std::visit(
      [](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Bytes>) {
          return json{{std::string(kBytesField), base64Encode(v)}};
        } else {
          return json(v);
        }
      },
      value);
}

// Values of shapes this store never writes are left out (and left alone in the file).
std::optional<PreferenceValue> decode(const json& value) {
  switch (value.type()) {
    case json::value_t::boolean:
      return PreferenceValue(value.get<bool>());
    case json::value_t::number_integer:
      return PreferenceValue(value.get<std::int64_t>());
    case json::value_t::number_unsigned: {
      const auto n = value.get<std::uint64_t>();
      if (n > static_cast<std::uint64_t>(INT64_MAX)) return PreferenceValue(static_cast<double>(n));
      return PreferenceValue(static_cast<std::int64_t>(n));
    }
    case json::value_t::number_float:
      return PreferenceValue(value.get<double>());
    case json::value_t::string:
      return PreferenceValue(value.get<std::string>());
    case json::value_t::array: {
      StringList list;
      for (const auto& item : value) {
        if (!item.is_string()) return std::nullopt;
        list.push_back(item.get<std::string>());
      }
      return PreferenceValue(std::move(list));
    }
    case json::value_t::object: {
      if (value.size() != 1 || !value.contains(kBytesField) || !value[kBytesField].is_string()) {
        return std::nullopt;
      }
      if (auto bytes = base64Decode(value[kBytesField].get<std::string>())) {
        return PreferenceValue(std::move(*bytes));
      }
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

enum class FileState { missing, parsed, corrupt };

struct FileContents {
  FileState state = FileState::missing;
  json document = json::object();
};

FileContents readDocument(const fs::path& file) {
  auto text = readFile(file);
  if (!text) return {};
  json parsed = json::parse(*text, nullptr, /*allow_exceptions=*/false);
  if (parsed.is_discarded() || !parsed.is_object()) return {FileState::corrupt, json::object()};
  return {FileState::parsed, std::move(parsed)};
}

std::map<std::string, PreferenceValue, std::less<>> decodeAll(const json& document) {
  std::map<std::string, PreferenceValue, std::less<>> values;
  for (const auto& [key, item] : document.items()) {
    if (auto value = decode(item)) values.emplace(key, std::move(*value));
  }
  return values;
}

// Holds an advisory lock on "<file>.lock" for the lifetime of the object.
class FileLock {
 public:
  explicit FileLock(const fs::path& file) {
    fs::path lockPath = file;
    lockPath += ".lock";
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

FilePreferenceStore::FilePreferenceStore(fs::path file, NotificationCenter& notifications,
                                         RunLoop& runLoop)
    : PreferenceStore(notifications, runLoop),
      file_(std::move(file)),
      runLoop_(runLoop),
      alive_(std::make_shared<FilePreferenceStore*>(this)) {
  values_ = decodeAll(readDocument(file_).document);
  startWatching();
}

FilePreferenceStore::~FilePreferenceStore() {
  stopWatching();
  alive_.reset();
}

std::optional<PreferenceValue> FilePreferenceStore::value(std::string_view key) const {
  std::lock_guard lock(mutex_);
  if (auto it = values_.find(key); it != values_.end()) return it->second;
  return std::nullopt;
}

void FilePreferenceStore::write(std::string_view key, std::optional<PreferenceValue> value) {
  std::lock_guard lock(mutex_);
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  FileLock fileLock(file_);

  FileContents contents = readDocument(file_);
  if (contents.state == FileState::corrupt) {
    if (auto aside = moveAside(file_)) {
      std::cerr << "tavorin: " << file_.string() << " could not be read; kept it as "
                << aside->string() << "\n";
    }
  }
  if (value) {
    contents.document[std::string(key)] = encode(*value);
  } else {
    contents.document.erase(std::string(key));
  }

  std::string error;
  if (writeFileAtomically(file_, contents.document.dump(2) + "\n", &error)) {
    values_ = decodeAll(contents.document);
    return;
  }
  // The change still holds for this session, so the program behaves as the user asked.
  if (!reportedWriteFailure_.exchange(true)) {
    std::cerr << "tavorin: could not save preferences: " << error << "\n";
  }
  if (value) {
    values_.insert_or_assign(std::string(key), std::move(*value));
  } else if (auto it = values_.find(key); it != values_.end()) {
    values_.erase(it);
  }
}

void FilePreferenceStore::reload() {
  auto fresh = decodeAll(readDocument(file_).document);
  {
    std::lock_guard lock(mutex_);
    if (fresh == values_) return;
    values_ = std::move(fresh);
  }
  announceChange();
}

void FilePreferenceStore::startWatching() {
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  const int inotifyFd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (inotifyFd < 0) return;
  // The folder, not the file: writers replace the file by renaming a new one over it.
  if (::inotify_add_watch(inotifyFd, file_.parent_path().c_str(),
                          IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE) < 0) {
    ::close(inotifyFd);
    return;
  }
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    ::close(inotifyFd);
    return;
  }
  watcher_ = std::thread([this, inotifyFd, wakeFd = wakeFd_] { watch(inotifyFd, wakeFd); });
}

void FilePreferenceStore::stopWatching() {
  if (!watcher_.joinable()) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] auto ignored = ::write(wakeFd_, &one, sizeof one);
  watcher_.join();
  ::close(wakeFd_);
}

void FilePreferenceStore::watch(int inotifyFd, int wakeFd) {
  const std::string name = file_.filename().string();
  alignas(inotify_event) std::array<char, 4096> buffer;
  std::array<pollfd, 2> fds{pollfd{inotifyFd, POLLIN, 0}, pollfd{wakeFd, POLLIN, 0}};
  for (;;) {
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    bool ours = false;
    for (;;) {
      const ssize_t length = ::read(inotifyFd, buffer.data(), buffer.size());
      if (length <= 0) break;
      for (ssize_t offset = 0; offset < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
        if (event->len > 0 && name == event->name) ours = true;
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    if (ours) {
      runLoop_.post([weak = std::weak_ptr<FilePreferenceStore*>(alive_)] {
        if (auto self = weak.lock()) (*self)->reload();
      });
    }
  }
  ::close(inotifyFd);
}

}  // namespace tavorin::native

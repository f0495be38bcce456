#include "platform/file_io.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tavorin {

namespace fs = std::filesystem;

std::optional<std::string> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(contents).str();
}

namespace {

bool fail(std::string* error, std::string message) {
  if (error != nullptr) *error = std::move(message);
  return false;
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool writeFileAtomically(const fs::path& path, std::string_view contents, std::string* error) {
  std::error_code ec;
  if (path.has_parent_path()) {
    fs::create_directories(path.parent_path(), ec);
    if (ec) return fail(error, path.parent_path().string() + ": " + ec.message());
  }
  fs::path temporary = path;
  temporary += ".tmp." + std::to_string(::getpid());

  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail(error, temporary.string() + ": " + std::strerror(errno));
  const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  ::close(fd);
  if (!written) {
    ::unlink(temporary.c_str());
    return fail(error, temporary.string() + ": " + std::strerror(savedErrno));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temporary.c_str());
    return fail(error, path.string() + ": " + std::strerror(renameErrno));
  }
  // Make the rename itself durable.
  if (path.has_parent_path()) {
    const int dir = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return true;
}

std::optional<fs::path> moveAside(const fs::path& path, std::string_view suffix) {
  fs::path target = path;
  target += std::string(suffix);
  std::error_code ec;
  for (int n = 1; fs::exists(fs::symlink_status(target, ec)); ++n) {
    if (n > 10000) return std::nullopt;
    target = path;
    target += std::string(suffix) + "." + std::to_string(n);
  }
  fs::rename(path, target, ec);
  if (ec) return std::nullopt;
  return target;
}

}  // namespace tavorin

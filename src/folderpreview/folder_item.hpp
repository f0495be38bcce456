#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_kind_provider.hpp"

struct stat;

namespace tavorin {

// A moment in wall time with the file system's own precision.
using FileDate = std::chrono::sys_time<std::chrono::nanoseconds>;

// One direct child of a previewed folder. Identified by `url`; equal over all fields.
struct FolderItem {
  std::filesystem::path url;
  // The name to show: the file name, with bytes that are not UTF-8 replaced.
  std::string name;
  // A real folder; false for files and for packages.
  bool isDirectory = false;
  // A folder the platform shows as one document.
  bool isPackage = false;
  // The name begins with ".".
  bool isHidden = false;
  // Logical size in bytes; absent for folders and packages and when none is reported.
  std::optional<std::int64_t> size;
  // Content modification date.
  std::optional<FileDate> modified;
  // Human-readable kind; empty when none is reported.
  std::string kind;

  const std::filesystem::path& id() const { return url; }
  bool operator==(const FolderItem&) const = default;

  // Reads the attributes of the entry at `url` (a link itself, not what it points to). An entry
  // whose attributes cannot be read still gives an item, with the fallbacks described above.
  // `kinds` may be null: no kinds, no packages.
  static FolderItem fromURL(const std::filesystem::path& url, const FileKindProvider* kinds);

  // Builds the item from attributes already read (`attributes` null when reading failed).
  static FolderItem fromAttributes(std::filesystem::path url, std::string_view fileName,
                                   const struct stat* attributes, const FileKindProvider* kinds,
                                   std::string_view languageCode);
};

// `rawName` as valid UTF-8: every byte that does not belong to a well-formed sequence becomes
// U+FFFD.
std::string displayName(std::string_view rawName);

}  // namespace tavorin

template <>
struct std::hash<tavorin::FolderItem> {
  std::size_t operator()(const tavorin::FolderItem& item) const noexcept;
};

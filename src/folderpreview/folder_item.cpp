#include "folderpreview/folder_item.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/utf8.h>

#include "localization/localizer.hpp"

namespace tavorin {
namespace {

FileEntryType entryType(mode_t mode) {
  if (S_ISREG(mode)) return FileEntryType::regularFile;
  if (S_ISDIR(mode)) return FileEntryType::folder;
  if (S_ISLNK(mode)) return FileEntryType::symbolicLink;
  return FileEntryType::other;
}

void combine(std::size_t& seed, std::size_t value) {
  seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

}  // namespace

std::string displayName(std::string_view rawName) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(rawName.data());
  const auto length = static_cast<std::int32_t>(rawName.size());
  std::int32_t offset = 0;
  // Most names are well-formed: hand them back as they are.
  for (;;) {
    if (offset == length) return std::string(rawName);
    UChar32 c;
    U8_NEXT(bytes, offset, length, c);
    if (c < 0) break;
  }
  std::string name;
  name.reserve(rawName.size() + 8);
  offset = 0;
  while (offset < length) {
    const std::int32_t start = offset;
    UChar32 c;
    U8_NEXT(bytes, offset, length, c);
    if (c < 0) {
      name += "\xEF\xBF\xBD";
    } else {
      name.append(rawName.substr(start, offset - start));
    }
  }
  return name;
}

FolderItem FolderItem::fromAttributes(std::filesystem::path url, std::string_view fileName,
                                      const struct stat* attributes, const FileKindProvider* kinds,
                                      std::string_view languageCode) {
  FolderItem item;
  item.name = displayName(fileName);
  item.isHidden = fileName.starts_with('.');
  if (attributes != nullptr) {
    const FileEntryType type = entryType(attributes->st_mode);
    const bool dir = type == FileEntryType::folder;
    const bool pkg = dir && kinds != nullptr && kinds->isPackage(url);
    item.isDirectory = dir && !pkg;
    item.isPackage = pkg;
    // Regular files and links have a logical size; folders, packages, devices, pipes and
    // sockets have none worth showing.
    if (type == FileEntryType::regularFile || type == FileEntryType::symbolicLink)
      item.size = static_cast<std::int64_t>(attributes->st_size);
    item.modified = FileDate(std::chrono::seconds(attributes->st_mtim.tv_sec) +
                             std::chrono::nanoseconds(attributes->st_mtim.tv_nsec));
    if (kinds != nullptr) item.kind = kinds->kind(url, type, languageCode);
  }
  item.url = std::move(url);
  return item;
}

FolderItem FolderItem::fromURL(const std::filesystem::path& url, const FileKindProvider* kinds) {
  std::string fileName = url.filename().string();
  if (fileName.empty()) fileName = url.string();
  struct stat attributes {};
  const bool read = ::fstatat(AT_FDCWD, url.c_str(), &attributes, AT_SYMLINK_NOFOLLOW) == 0;
  return fromAttributes(url, fileName, read ? &attributes : nullptr, kinds,
                        Localizer::currentLanguage().code);
}

}  // namespace tavorin

std::size_t std::hash<tavorin::FolderItem>::operator()(
    const tavorin::FolderItem& item) const noexcept {
  std::size_t seed = std::filesystem::hash_value(item.url);
  tavorin::combine(seed, std::hash<std::string>{}(item.name));
  tavorin::combine(
      seed, (item.isDirectory ? 1u : 0u) | (item.isPackage ? 2u : 0u) | (item.isHidden ? 4u : 0u));
  tavorin::combine(seed, std::hash<std::optional<std::int64_t>>{}(item.size));
  tavorin::combine(seed, item.modified
                             ? std::hash<std::int64_t>{}(item.modified->time_since_epoch().count())
                             : 0u);
  tavorin::combine(seed, std::hash<std::string>{}(item.kind));
  return seed;
}

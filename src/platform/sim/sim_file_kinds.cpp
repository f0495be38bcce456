#include "platform/sim/sim_file_kinds.hpp"

#include <algorithm>
#include <cctype>

namespace tavorin::sim {
namespace {

// Table keys for entries that are not told apart by extension.
constexpr std::string_view folderKey = "/folder";
constexpr std::string_view linkKey = "/link";
constexpr std::string_view otherKey = "/other";
constexpr std::string_view documentKey = "/document";

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The extension of `path` without its dot, lower case; empty for none (".profile" has none).
std::string extensionOf(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return {};
  return lowered(name.substr(dot + 1));
}

}  // namespace

SimFileKindProvider::SimFileKindProvider() {
  kinds_.emplace(folderKey, Entry{"Folder", {{"de", "Ordner"}, {"fr", "Dossier"}}});
  kinds_.emplace(linkKey, Entry{"Symbolic link", {{"de", "Symbolische Verknüpfung"}}});
  kinds_.emplace(otherKey, Entry{"Special file", {}});
  kinds_.emplace(documentKey, Entry{"Document", {{"de", "Dokument"}}});
  kinds_.emplace("txt", Entry{"Plain text document", {{"de", "Einfaches Textdokument"}}});
  kinds_.emplace("png", Entry{"PNG image", {{"de", "PNG-Bild"}}});
  kinds_.emplace("jpg", Entry{"JPEG image", {{"de", "JPEG-Bild"}}});
  kinds_.emplace("pdf", Entry{"PDF document", {{"de", "PDF-Dokument"}}});
  kinds_.emplace("app", Entry{"Application", {{"de", "Programm"}}});
  packageExtensions_.emplace("app");
}

std::string SimFileKindProvider::text(std::string_view key, std::string_view languageCode) const {
  const auto entry = kinds_.find(key);
  if (entry == kinds_.end()) return {};
  if (auto translated = entry->second.translations.find(languageCode);
      translated != entry->second.translations.end())
    return translated->second;
  return entry->second.english;
}

std::string SimFileKindProvider::kind(const std::filesystem::path& path, FileEntryType type,
                                      std::string_view languageCode) const {
  std::lock_guard lock(mutex_);
  switch (type) {
    case FileEntryType::symbolicLink:
      return text(linkKey, languageCode);
    case FileEntryType::other:
      return text(otherKey, languageCode);
    case FileEntryType::folder: {
      const std::string extension = extensionOf(path);
      if (packageExtensions_.contains(extension) && kinds_.contains(extension))
        return text(extension, languageCode);
      return text(folderKey, languageCode);
    }
    case FileEntryType::regularFile: {
      const std::string extension = extensionOf(path);
      if (!extension.empty() && kinds_.contains(extension)) return text(extension, languageCode);
      return text(documentKey, languageCode);
    }
  }
  return {};
}

bool SimFileKindProvider::isPackage(const std::filesystem::path& path) const {
  std::lock_guard lock(mutex_);
  const std::string extension = extensionOf(path);
  return !extension.empty() && packageExtensions_.contains(extension);
}

void SimFileKindProvider::setKind(std::string extension, std::string english,
                                  std::map<std::string, std::string, std::less<>> translations) {
  std::lock_guard lock(mutex_);
  kinds_.insert_or_assign(lowered(std::move(extension)),
                          Entry{std::move(english), std::move(translations)});
}

void SimFileKindProvider::addPackageExtension(std::string extension) {
  std::lock_guard lock(mutex_);
  packageExtensions_.insert(lowered(std::move(extension)));
}

}  // namespace tavorin::sim

#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/file_kind_provider.hpp"

namespace tavorin::sim {

// A fixed table of kinds by file name extension, with translations for some languages, and a
// set of folder extensions that count as packages (".app" from the start), so that the package
// rules can be exercised on a desktop that has none.
class SimFileKindProvider final : public FileKindProvider {
 public:
  SimFileKindProvider();

  std::string kind(const std::filesystem::path& path, FileEntryType type,
                   std::string_view languageCode) const override;
  bool isPackage(const std::filesystem::path& path) const override;

  // Names the kind of files ending in "." + `extension` (any case); `translations` maps
  // language codes to texts.
  void setKind(std::string extension, std::string english,
               std::map<std::string, std::string, std::less<>> translations = {});
  // Folders ending in "." + `extension` (any case) become packages.
  void addPackageExtension(std::string extension);

 private:
  struct Entry {
    std::string english;
    std::map<std::string, std::string, std::less<>> translations;
  };
  std::string text(std::string_view key, std::string_view languageCode) const;

  mutable std::mutex mutex_;
  std::map<std::string, Entry, std::less<>> kinds_;
  std::set<std::string, std::less<>> packageExtensions_;
};

}  // namespace tavorin::sim

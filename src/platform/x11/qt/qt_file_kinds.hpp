#pragma once

#include "platform/file_kind_provider.hpp"

namespace tavorin::qt {

// Kinds from the shared MIME database, judged by file name alone (reading every file's first
// bytes would make large folders slow). Linux has no packages. The database names kinds in the
// program's default locale, which follows the interface language (`followInterfaceLanguage`).
class QtFileKindProvider final : public FileKindProvider {
 public:
  std::string kind(const std::filesystem::path& path, FileEntryType type,
                   std::string_view languageCode) const override;
  bool isPackage(const std::filesystem::path&) const override { return false; }

  // Makes the database answer in `languageCode`. Call on the main thread when the interface
  // language is chosen or changes.
  static void followInterfaceLanguage(std::string_view languageCode);
};

}  // namespace tavorin::qt

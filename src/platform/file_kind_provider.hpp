#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavorin {

// What a directory entry is, as far as naming its kind goes. Links are never followed.
enum class FileEntryType { regularFile, folder, symbolicLink, other };

// Human-readable kinds of files and the platform's notion of folders that are one document
// (`NSURLLocalizedTypeDescriptionKey` and `NSURLIsPackageKey`; on Linux the shared MIME database,
// which has no packages). Called from background threads at the same time: implementations are
// thread-safe.
class FileKindProvider {
 public:
  virtual ~FileKindProvider() = default;

  // The kind of the entry at `path` ("PNG image", "Folder"), in the language `languageCode`
  // ("de", "pt-BR") where a translation exists, else in English; empty when unknown. The entry
  // may be judged by its name alone.
  virtual std::string kind(const std::filesystem::path& path, FileEntryType type,
                           std::string_view languageCode) const = 0;

  // Whether the folder at `path` is shown as one document (an application bundle or similar).
  virtual bool isPackage(const std::filesystem::path& path) const = 0;
};

}  // namespace tavorin

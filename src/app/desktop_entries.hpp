#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/features.hpp"

namespace tavorin {

// Registrations the desktop keeps as freedesktop desktop entries in the user's folders: the
// folder previewer offered by file managers for folders (the counterpart of a preview
// extension switched on), and the program started at login (an autostart entry).

// The previewer's registration in $XDG_DATA_HOME/applications.
class FolderPreviewRegistration {
 public:
  // `previewer` is the previewer program; when it does not exist the previewer is not
  // registered, whatever the entry says.
  FolderPreviewRegistration(std::filesystem::path applicationsFolder,
                            std::filesystem::path previewer);

  // enabled: the entry offers the previewer for folders; disabled: there is no entry, or it is
  // hidden; notRegistered: the previewer program is missing; unknown: the folder cannot be read.
  QuickLookExtensionStatus current() const;
  // Writes or removes the entry. Answers whether that worked.
  bool setEnabled(bool enabled) const;

  std::filesystem::path entryFile() const;

 private:
  std::filesystem::path applications_;
  std::filesystem::path previewer_;
};

// Starting the tray program at login, through $XDG_CONFIG_HOME/autostart.
class LoginItem {
 public:
  LoginItem(std::filesystem::path autostartFolder, std::filesystem::path program);

  bool isEnabled() const;
  // Answers nothing on success, else the reason.
  std::optional<std::string> setEnabled(bool enabled) const;

  std::filesystem::path entryFile() const;

 private:
  std::filesystem::path autostart_;
  std::filesystem::path program_;
};

// Quotes a path for the Exec key of a desktop entry.
std::string desktopEntryExecQuote(const std::string& path);

}  // namespace tavorin

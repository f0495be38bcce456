#include "app/desktop_entries.hpp"

#include <sstream>

#include "platform/build_info.hpp"
#include "platform/file_io.hpp"

namespace tavorin {

namespace fs = std::filesystem;

namespace {

// A desktop entry that names the key "Hidden=true" (or "NoDisplay" for an application's
// entry) counts as removed, as the desktop entry rules say.
bool isHidden(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line == "Hidden=true") return true;
  }
  return false;
}

bool removeFile(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
  return !ec;
}

}  // namespace

std::string desktopEntryExecQuote(const std::string& path) {
  // Inside double quotes the Exec rules reserve ", `, $ and \ (each escaped with a backslash);
  // "%" must be doubled because it starts a field code.
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
    if (c == '%') quoted += '%';
  }
  return quoted + "\"";
}

FolderPreviewRegistration::FolderPreviewRegistration(fs::path applicationsFolder,
                                                     fs::path previewer)
    : applications_(std::move(applicationsFolder)), previewer_(std::move(previewer)) {}

fs::path FolderPreviewRegistration::entryFile() const {
  return applications_ / (std::string(build::bundleIdentifier) + ".FolderPreview.desktop");
}

QuickLookExtensionStatus FolderPreviewRegistration::current() const {
  std::error_code ec;
  if (!fs::is_regular_file(previewer_, ec)) return QuickLookExtensionStatus::notRegistered;
  if (!fs::exists(entryFile(), ec)) {
    return ec ? QuickLookExtensionStatus::unknown : QuickLookExtensionStatus::disabled;
  }
  const auto text = readFile(entryFile());
  if (!text) return QuickLookExtensionStatus::unknown;
  return isHidden(*text) ? QuickLookExtensionStatus::disabled : QuickLookExtensionStatus::enabled;
}

bool FolderPreviewRegistration::setEnabled(bool enabled) const {
  if (!enabled) return removeFile(entryFile());
  const std::string entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Quillon\n"
      "Comment=See what is inside a folder: list or grid, sizes and thumbnails\n"
      "Exec=" +
      desktopEntryExecQuote(previewer_.string()) +
      " %f\n"
      "Icon=folder\n"
      "MimeType=inode/directory;\n"
      "NoDisplay=true\n"
      "Terminal=false\n";
  return writeFileAtomically(entryFile(), entry);
}

LoginItem::LoginItem(fs::path autostartFolder, fs::path program)
    : autostart_(std::move(autostartFolder)), program_(std::move(program)) {}

fs::path LoginItem::entryFile() const {
  return autostart_ / (std::string(build::bundleIdentifier) + ".desktop");
}

bool LoginItem::isEnabled() const {
  const auto text = readFile(entryFile());
  return text && !isHidden(*text);
}

std::optional<std::string> LoginItem::setEnabled(bool enabled) const {
  if (!enabled) {
    std::error_code ec;
    fs::remove(entryFile(), ec);
    if (ec) return entryFile().string() + ": " + ec.message();
    return std::nullopt;
  }
  const std::string entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Tavorin\n"
      "Exec=" +
      desktopEntryExecQuote(program_.string()) +
      "\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  std::string error;
  if (!writeFileAtomically(entryFile(), entry, &error)) return error;
  return std::nullopt;
}

}  // namespace tavorin

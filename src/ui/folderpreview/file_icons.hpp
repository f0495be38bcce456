#pragma once

#include <QIcon>
#include <filesystem>

namespace tavorin::ui {

// The icon of the file or folder at `path` (`iconForFile:`): the icon theme's icon for its MIME
// type (judged by name; a folder is "folder"), else its generic icon, else the style's file or
// folder icon. Never null.
QIcon fileIcon(const std::filesystem::path& path);

// A bare X session names no icon theme and may not even search the system's icon folders: then
// those folders are searched, and the first installed theme that has file icons ("Adwaita",
// "breeze", ...) is used.
void useInstalledIconThemeIfNeeded();

}  // namespace tavorin::ui

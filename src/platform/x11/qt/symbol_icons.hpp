#pragma once

#include <QIcon>
#include <string>

namespace tavorin::qt {

// Where an icon is shown: the tray (light glyph with a dark rim, readable on light and dark
// panels) or a menu (drawn in the menu's text colour).
enum class IconPlace { tray, menu };

// The icon for a system symbol name ("square.grid.2x2", "scissors.circle.fill", ...). The
// program draws its own, at every size asked, so nothing depends on the icon theme. An unknown
// name gives a null icon.
QIcon iconForSymbol(const std::string& symbolName, IconPlace place);

}  // namespace tavorin::qt

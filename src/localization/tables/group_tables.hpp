#pragma once

#include <span>

#include "localization/tables/tables.hpp"

// The constant translation data, one source file per group. Each function returns the group's
// entries for every language it has; `Tables` builds the lookup tables from them.
namespace tavorin::translations {

std::span<const LanguageEntries> app();
std::span<const LanguageEntries> cutPaste();
std::span<const LanguageEntries> folderPreview();
std::span<const LanguageEntries> pointer();
std::span<const LanguageEntries> tiling();
std::span<const LanguageEntries> smartDock();

}  // namespace tavorin::translations

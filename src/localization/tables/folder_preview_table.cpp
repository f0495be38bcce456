#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

std::span<const LanguageEntries> folderPreview() {
  return {};
}

}  // namespace tavorin::translations

#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

std::span<const LanguageEntries> tiling() {
  return {};
}

}  // namespace tavorin::translations

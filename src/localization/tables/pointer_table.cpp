#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

std::span<const LanguageEntries> pointer() {
  return {};
}

}  // namespace tavorin::translations

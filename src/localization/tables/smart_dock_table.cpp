#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

std::span<const LanguageEntries> smartDock() {
  return {};
}

}  // namespace tavorin::translations

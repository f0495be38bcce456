#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

std::span<const LanguageEntries> cutPaste() {
  return {};
}

}  // namespace tavorin::translations

#include "localization/tables/tables.hpp"

namespace tavorin {

TranslationTable Tables::merged(std::string_view /*code*/) {
  return {};
}

}  // namespace tavorin

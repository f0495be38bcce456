#include "localization/text_case.hpp"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace tavorin {

std::string upperCased(std::string_view text, std::string_view languageTag) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale locale = icu::Locale::forLanguageTag(std::string(languageTag), status);
  if (U_FAILURE(status)) locale = icu::Locale::getRoot();
  std::string result;
  icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
      .toUpper(locale)
      .toUTF8String(result);
  return result;
}

}  // namespace tavorin

#include "localization/language.hpp"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <string>
#include <vector>

#include "localization/localizer.hpp"

namespace tavorin {

namespace {

constexpr std::array<Language, 12> kLanguages{{
    {"en", "English", "English"},
    {"tr", "Türkçe", "Turkish"},
    {"de", "Deutsch", "German"},
    {"fr", "Français", "French"},
    {"es", "Español", "Spanish"},
    {"it", "Italiano", "Italian"},
    {"pt-BR", "Português (Brasil)", "Portuguese (Brazil)"},
    {"nl", "Nederlands", "Dutch"},
    {"ru", "Русский", "Russian"},
    {"ja", "日本語", "Japanese"},
    {"zh-Hans", "简体中文", "Chinese (Simplified)"},
    {"ko", "한국어", "Korean"},
}};

icu::UnicodeString unicode(std::string_view text) {
  return icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

// Folds a text for a search that ignores case and diacritics: decompose, drop the combining
// marks, fold case.
icu::UnicodeString searchFold(const icu::UnicodeString& text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  icu::UnicodeString decomposed = U_SUCCESS(status) ? nfd->normalize(text, status) : text;
  if (U_FAILURE(status)) decomposed = text;
  icu::UnicodeString stripped;
  for (int32_t i = 0; i < decomposed.length();) {
    const UChar32 c = decomposed.char32At(i);
    if (u_charType(c) != U_NON_SPACING_MARK) stripped.append(c);
    i += U16_LENGTH(c);
  }
  return stripped.foldCase();
}

bool containsFolded(std::string_view haystack, const icu::UnicodeString& foldedNeedle) {
  return searchFold(unicode(haystack)).indexOf(foldedNeedle) >= 0;
}

std::vector<std::string> splitTag(const std::string& tag) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= tag.size()) {
    const auto end = std::min(tag.find('-', start), tag.size());
    if (end > start) pieces.push_back(tag.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace

const std::array<Language, 12>& Language::all() {
  return kLanguages;
}

const Language& Language::english() {
  return kLanguages[0];
}

const Language* Language::byCode(std::string_view code) {
  for (const auto& language : kLanguages) {
    if (language.code == code) return &language;
  }
  return nullptr;
}

const Language* Language::match(std::string_view rawTag) {
  std::string tag(rawTag);
  std::replace(tag.begin(), tag.end(), '_', '-');
  if (const auto* exact = byCode(tag)) return exact;

  const auto pieces = splitTag(tag);
  if (pieces.empty()) return nullptr;
  std::string base = pieces.front();
  std::transform(base.begin(), base.end(), base.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });

  if (base == "zh") {
    // Traditional Chinese is not offered: let the next preferred language decide.
    for (const auto& piece : pieces) {
      if (piece == "Hant" || piece == "TW" || piece == "HK" || piece == "MO") return nullptr;
    }
    return byCode("zh-Hans");
  }
  if (base == "pt") return byCode("pt-BR");
  return byCode(base);
}

std::string Language::localizedName(std::string_view displayCode) const {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale locale = icu::Locale::forLanguageTag(std::string(code), status);
  const icu::Locale display = icu::Locale::forLanguageTag(std::string(displayCode), status);
  if (U_FAILURE(status) || locale.isBogus()) return std::string(englishName);
  icu::UnicodeString name;
  locale.getDisplayName(display, name);
  std::string result = utf8(name);
  // Without locale data the code comes back unchanged.
  if (result.empty() || result == code) return std::string(englishName);
  return result;
}

std::string Language::localizedName() const {
  return localizedName(Localizer::currentLanguage().code);
}

bool Language::matches(std::string_view rawQuery) const {
  icu::UnicodeString query = unicode(rawQuery);
  query.trim();
  if (query.isEmpty()) return true;
  const icu::UnicodeString folded = searchFold(query);
  return containsFolded(nativeName, folded) || containsFolded(englishName, folded) ||
         containsFolded(localizedName(), folded) || containsFolded(code, folded);
}

}  // namespace tavorin

#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavorin {

// One of the twelve interface languages. Identity is the code.
struct Language {
  std::string_view code;
  std::string_view nativeName;
  std::string_view englishName;

  std::string_view id() const { return code; }

  // The language's name in the language `displayCode`, as the locale data gives it, or the
  // English name when there is none.
  std::string localizedName(std::string_view displayCode) const;
  // The name in the current interface language.
  std::string localizedName() const;

  // Filter of the language picker: `query`, trimmed, occurs ignoring case and diacritics in the
  // native, English or localized name or the code. An empty query matches every language.
  bool matches(std::string_view query) const;

  bool operator==(const Language&) const = default;

  static const std::array<Language, 12>& all();
  static const Language& english();
  static const Language* byCode(std::string_view code);
  // The supported language for one system language tag ("de-AT", "zh_Hans_CN", "pt-PT"),
  // or null when none fits.
  static const Language* match(std::string_view tag);
};

}  // namespace tavorin

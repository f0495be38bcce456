#include "localization/language.hpp"

#include <gtest/gtest.h>

namespace tavorin {
namespace {

TEST(LanguageTest, MatchesSystemTags) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"de", "de"},
      {"de-AT", "de"},
      {"de-CH", "de"},
      {"en_GB", "en"},
      {"pt-BR", "pt-BR"},
      {"pt-PT", "pt-BR"},
      {"pt", "pt-BR"},
      {"zh-Hans", "zh-Hans"},
      {"zh-Hans-CN", "zh-Hans"},
      {"zh-CN", "zh-Hans"},
      {"zh", "zh-Hans"},
      {"zh_CN", "zh-Hans"},
      {"ZH-cn", "zh-Hans"},
      {"ja-JP", "ja"},
      {"ko_KR", "ko"},
      {"zh-Hant-TW", ""},
      {"zh-TW", ""},
      {"zh-HK", ""},
      {"zh-MO", ""},
      {"sv", ""},
      {"", ""},
      {"--", ""},
      {"x-private", ""},
  };
  for (const auto& [tag, expected] : cases) {
    const Language* match = Language::match(tag);
    EXPECT_EQ(match ? std::string(match->code) : "", expected) << "tag " << tag;
  }
}

TEST(LanguageTest, TableHasTwelveUniqueLanguagesWithEnglishFirst) {
  EXPECT_EQ(Language::all().size(), 12u);
  EXPECT_EQ(Language::english().code, "en");
  for (const auto& language : Language::all()) {
    EXPECT_EQ(Language::byCode(language.code), &language);
  }
  EXPECT_EQ(Language::byCode("xx"), nullptr);
}

TEST(LanguageTest, LocalizedNamesComeFromTheLocaleData) {
  EXPECT_EQ(Language::byCode("de")->localizedName("de"), "Deutsch");
  EXPECT_EQ(Language::byCode("pt-BR")->localizedName("en"), "Portuguese (Brazil)");
  EXPECT_EQ(Language::byCode("de")->localizedName("tr"), "Almanca");
  EXPECT_EQ(Language::byCode("ja")->localizedName("fr"), "japonais");
}

TEST(LanguageTest, PickerFilterIgnoresCaseDiacriticsAndSurroundingSpace) {
  const Language& turkish = *Language::byCode("tr");
  const Language& french = *Language::byCode("fr");
  EXPECT_TRUE(turkish.matches("TURK"));       // Türkçe and Turkish
  EXPECT_TRUE(french.matches("  francais"));  // Français
  EXPECT_TRUE(french.matches(""));
  EXPECT_TRUE(french.matches("   "));
  EXPECT_TRUE(Language::byCode("zh-Hans")->matches("hans"));  // the code
  EXPECT_TRUE(Language::byCode("ru")->matches("рус"));
  EXPECT_FALSE(french.matches("deutsch"));
}

}  // namespace
}  // namespace tavorin

#include "localization/tables/tables.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

using Group = Tables::Group;

// Keys that only some languages translate; the others show them in English.
struct LanguageOnlyKey {
  Group group;
  std::string_view key;
  std::set<std::string_view> codes;
};

const std::vector<LanguageOnlyKey>& languageOnlyKeys() {
  static const std::vector<LanguageOnlyKey> keys{
      {Group::app, "Device Control and Data Access", {"tr"}},
      {Group::tiling, "Open Snap Assistant this close to the top", {"de", "tr"}},
      {Group::tiling, "Restore window size when dragged out of a zone", {"de", "tr"}},
      {Group::tiling, "⌃⌥ arrows: next zone · ⌃⌥⇧ arrows: extend · ⌃⌥T: next layout", {"tr"}},
  };
  return keys;
}

// The table of a group in a language; a missing one fails the test and reads as empty.
const TranslationTable& tableOf(Group group, std::string_view code) {
  static const TranslationTable none;
  const auto* table = Tables::table(group, code);
  if (table == nullptr) ADD_FAILURE() << "no table " << Tables::name(group) << "/" << code;
  return table != nullptr ? *table : none;
}

std::set<std::string> keysOf(const TranslationTable& table) {
  std::set<std::string> keys;
  for (const auto& [key, text] : table)
    keys.insert(key);
  return keys;
}

// The conversions of a printf-style template, each as "<argument number>:<flags, width,
// precision and conversion>", sorted, so that "%2$@ %1$d" and "%d %@" compare equal. Null when
// a '%' starts no valid conversion or positional and sequential forms are mixed, since the
// formatter would then print the text differently from what the key means.
std::optional<std::vector<std::string>> conversions(std::string_view text) {
  static constexpr std::string_view kConversionChars = "@sdiufFeEgGaAxXoc";
  std::vector<std::string> found;
  int sequential = 0;
  bool positional = false;
  auto digits = [&](std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      ++i;
    return std::string(text.substr(start, i - start));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    ++i;
    if (i < text.size() && text[i] == '%') continue;
    std::size_t j = i;
    std::string argument = digits(j);
    if (!argument.empty() && j < text.size() && text[j] == '$') {
      positional = true;
      i = j + 1;
    } else {
      argument = std::to_string(++sequential);
    }
    const std::size_t conversionStart = i;
    while (i < text.size() && std::string_view("-+ 0#'").find(text[i]) != std::string_view::npos)
      ++i;
    digits(i);
    if (i < text.size() && text[i] == '.') {
      ++i;
      digits(i);
    }
    while (i < text.size() && std::string_view("hlqLzjt").find(text[i]) != std::string_view::npos)
      ++i;
    if (i >= text.size() || kConversionChars.find(text[i]) == std::string_view::npos) {
      return std::nullopt;
    }
    found.push_back(argument + ":" +
                    std::string(text.substr(conversionStart, i + 1 - conversionStart)));
  }
  if (positional && sequential > 0) return std::nullopt;
  std::sort(found.begin(), found.end());
  return found;
}

TEST(TablesTest, EveryGroupHasTheElevenLanguagesWithTheirEntryCounts) {
  struct Expected {
    Group group;
    std::size_t entries;
    std::map<std::string_view, std::size_t> exceptions;
  };
  const std::vector<Expected> expected{
      {Group::app, 59, {{"tr", 60}}},
      {Group::cutPaste, 29, {}},
      {Group::folderPreview, 17, {}},
      {Group::pointer, 27, {}},
      {Group::tiling, 57, {{"de", 59}, {"tr", 60}}},
      {Group::smartDock, 14, {}},
  };
  for (const auto& [group, entries, exceptions] : expected) {
    for (const auto code : Tables::languages) {
      const auto* table = Tables::table(group, code);
      ASSERT_NE(table, nullptr) << Tables::name(group) << "/" << code;
      const auto exception = exceptions.find(code);
      EXPECT_EQ(table->size(), exception != exceptions.end() ? exception->second : entries)
          << Tables::name(group) << "/" << code;
    }
    for (const std::string_view code : {"en", "pt", "zh", ""}) {
      EXPECT_EQ(Tables::table(group, code), nullptr) << Tables::name(group) << "/" << code;
    }
  }
}

TEST(TablesTest, MergingJoinsAllGroupsOfOneLanguage) {
  for (const auto code : Tables::languages) {
    const std::size_t expected = code == "de" ? 205 : code == "tr" ? 207 : 203;
    EXPECT_EQ(Tables::merged(code).size(), expected) << code;
  }
  EXPECT_TRUE(Tables::merged("en").empty());
  EXPECT_TRUE(Tables::merged("pt-PT").empty());
  EXPECT_EQ(Tables::merged("de").at("Off"), "Aus");
  EXPECT_EQ(Tables::merged("ko").at("%d pt"), tableOf(Group::smartDock, "ko").at("%d pt"));
}

TEST(TablesTest, LanguagesOfAGroupShareTheirKeysApartFromTheLanguageOnlyOnes) {
  std::map<std::string, Group> groupOfKey;
  for (const Group group : Tables::features) {
    std::optional<std::set<std::string>> shared;
    for (const auto code : Tables::languages) {
      std::set<std::string> keys = keysOf(tableOf(group, code));
      for (const auto& only : languageOnlyKeys()) {
        if (only.group != group) continue;
        EXPECT_EQ(keys.erase(std::string(only.key)), only.codes.count(code))
            << Tables::name(group) << "/" << code << ": " << only.key;
      }
      if (!shared) {
        shared = keys;
      } else {
        EXPECT_EQ(keys, *shared) << Tables::name(group) << "/" << code;
      }
    }
    for (const auto& key : keysOf(tableOf(group, "tr"))) {
      const auto [it, isNew] = groupOfKey.emplace(key, group);
      EXPECT_TRUE(isNew) << "\"" << key << "\" is in " << Tables::name(it->second) << " and "
                         << Tables::name(group);
    }
  }
}

TEST(TablesTest, TellingRows) {
  struct Row {
    std::string_view key, de, ja, tr;
  };
  const Row rows[] = {
      {"Off", "Aus", "オフ", "Kapalı"},
      {"Settings…", "Einstellungen …", "設定…", "Ayarlar…"},
      {"Cut %@ · Move %@", "Ausschneiden %@ · Bewegen %@", "カット %@ · 移動 %@",
       "Kes %@ · Taşı %@"},
      {"Press %@ twice", "%@ zweimal drücken", "%@を2回押す", "%@ tuşuna iki kez bas"},
      {"System language (%@)", "Systemsprache (%@)", "システムの言語 (%@)", "Sistem dili (%@)"},
      {"Showing the first %d items (%d in total).",
       "Die ersten %d Objekte werden gezeigt (insgesamt %d).",
       "最初の%1$d項目を表示中（合計%2$d）。", "İlk %d öğe gösteriliyor (toplam %d)."},
      {"%d folders, %d files", "%d Ordner, %d Dateien", "フォルダ%1$d個、ファイル%2$d個",
       "%d klasör, %d dosya"},
      {"Accessibility", "Bedienungshilfen", "アクセシビリティ", "Erişilebilirlik"},
      {"%.1f s", "%.1f s", "%.1f秒", "%.1f sn"},
      {"%d pt", "%d pt", "%d pt", "%d nk"},
  };
  const auto de = Tables::merged("de");
  const auto ja = Tables::merged("ja");
  const auto tr = Tables::merged("tr");
  for (const auto& row : rows) {
    const std::string key(row.key);
    EXPECT_EQ(de.at(key), row.de);
    EXPECT_EQ(ja.at(key), row.ja);
    EXPECT_EQ(tr.at(key), row.tr);
  }
}

TEST(TablesTest, TranslationsKeepThePlaceholdersAndTheProductNameOfTheirKey) {
  // The guard itself: reordering is allowed, a changed conversion or a stray '%' is not.
  EXPECT_EQ(conversions("%2$@ at %1$d"), conversions("%d for %@"));
  EXPECT_NE(conversions("%d s"), conversions("%.1f s"));
  EXPECT_NE(conversions("Cut %@ · Move %@"), conversions("Cut %@"));
  EXPECT_EQ(conversions("zoom 100 %"), std::nullopt);
  // A spaced percent sign followed by a letter is a conversion ("% s") and would eat an argument.
  EXPECT_NE(conversions("100 % sure"), conversions("100 sure"));
  EXPECT_EQ(conversions("%1$d of %d"), std::nullopt);
  EXPECT_EQ(conversions("%d%% done"), conversions("%d done"));

  auto count = [](std::string_view text, std::string_view word) {
    std::size_t n = 0;
    for (auto at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1))
      ++n;
    return n;
  };
  for (const Group group : Tables::features) {
    for (const auto code : Tables::languages) {
      for (const auto& [key, text] : tableOf(group, code)) {
        const auto where = std::string(Tables::name(group)) + "/" + std::string(code) + ": \"" +
                           key + "\" → \"" + text + "\"";
        const auto keyConversions = conversions(key);
        ASSERT_TRUE(keyConversions.has_value()) << where;
        EXPECT_EQ(conversions(text), keyConversions) << where;
        EXPECT_FALSE(text.empty()) << where;
        EXPECT_EQ(count(text, "Tavorin"), count(key, "Tavorin")) << where;
      }
    }
  }
}

TEST(TablesDeathTest, ADuplicateKeyStopsTheProgramWhenTheTableIsBuilt) {
  static constexpr TranslationEntry good[] = {{"Off", "Aus"}, {"On", "Ein"}};
  EXPECT_EQ(Tables::build(good, "de/sample"), (TranslationTable{{"Off", "Aus"}, {"On", "Ein"}}));

  static constexpr TranslationEntry bad[] = {{"Off", "Aus"}, {"On", "Ein"}, {"Off", "Nein"}};
  EXPECT_DEATH(Tables::build(bad, "de/sample"), "de/sample .*\"Off\" twice");
}

TEST(TablesTest, ConcurrentFirstUseBuildsOneTable) {
  std::vector<const TranslationTable*> seen(4, nullptr);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = Tables::table(Group::pointer, "nl"); });
  }
  for (auto& thread : threads)
    thread.join();
  for (const auto* table : seen) {
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, seen.front());
    EXPECT_EQ(table->size(), 27u);
  }
}

class TranslatedTextsTest : public ::testing::Test {
 protected:
  void TearDown() override { Localizer::setShared(nullptr); }

  void choose(std::string_view code) {
    desktop.suiteDefaults.setString("tavorin.language", std::string(code));
    Localizer::install(desktop.platform());
  }

  sim::SimDesktop desktop;
};

TEST_F(TranslatedTextsTest, TemplatesAreFilledInTheChosenLanguage) {
  choose("de");
  EXPECT_EQ(L("Showing the first %d items (%d in total).", 3000, 12345),
            "Die ersten 3.000 Objekte werden gezeigt (insgesamt 12.345).");
  EXPECT_EQ(L("%.1f s", 1.5), "1,5 s");
  EXPECT_EQ(L("Cut %@ · Move %@", "⌘X", "⌘V"), "Ausschneiden ⌘X · Bewegen ⌘V");

  choose("ja");  // positional placeholders
  EXPECT_EQ(L("Showing the first %d items (%d in total).", 3000, 12345),
            "最初の3,000項目を表示中（合計12,345）。");
  EXPECT_EQ(L("%d folders, %d files", 2, 1500), "フォルダ2個、ファイル1,500個");
  EXPECT_EQ(L("%.1f s", 0.5), "0.5秒");

  choose("tr");
  EXPECT_EQ(L("%d folders, %d files", 1200, 3), "1.200 klasör, 3 dosya");
  EXPECT_EQ(L("Press %@ twice", "⌃"), "⌃ tuşuna iki kez bas");
  EXPECT_EQ(L("%.1f s", 0.5), "0,5 sn");
  EXPECT_EQ(L("%d pt", 12), "12 nk");
}

TEST_F(TranslatedTextsTest, KeysTranslatedOnlyInSomeLanguagesShowInEnglishElsewhere) {
  const std::string key = "Open Snap Assistant this close to the top";
  choose("fr");
  EXPECT_EQ(L(key), key);
  EXPECT_EQ(L("Device Control and Data Access"), "Device Control and Data Access");
  choose("de");
  EXPECT_NE(L(key), key);
  choose("tr");
  EXPECT_NE(L(key), key);
  EXPECT_NE(L("Device Control and Data Access"), "Device Control and Data Access");
}

}  // namespace
}  // namespace tavorin

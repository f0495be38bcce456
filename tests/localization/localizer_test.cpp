#include "localization/localizer.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

class LocalizerTest : public ::testing::Test {
 protected:
  void TearDown() override { Localizer::setShared(nullptr); }

  void systemLanguages(StringList tags) {
    desktop.globalDefaults.setStringList("AppleLanguages", std::move(tags));
  }
  std::string resolved(std::string_view preference) {
    return std::string(Localizer::resolve(preference, desktop.platform()).code);
  }

  sim::SimDesktop desktop;
};

TEST_F(LocalizerTest, SystemPreferenceTakesTheFirstSupportedSystemLanguage) {
  const std::vector<std::pair<StringList, std::string>> cases{
      {{"zh-Hant-TW", "ja-JP"}, "ja"},
      {{"zh-TW"}, "en"},
      {{"zh-CN"}, "zh-Hans"},
      {{"pt-PT"}, "pt-BR"},
      {{"en_GB"}, "en"},
      {{"sv", "de-CH"}, "de"},
      {{}, "en"},
  };
  for (const auto& [tags, expected] : cases) {
    systemLanguages(tags);
    EXPECT_EQ(resolved("system"), expected) << ::testing::PrintToString(tags);
    EXPECT_EQ(resolved("xx"), expected) << "an unknown code behaves as system";
  }
  EXPECT_EQ(resolved("ko"), "ko");
}

TEST_F(LocalizerTest, WithoutAGlobalListTheLocaleVariablesDecideInOrder) {
  desktop.process.setEnvironment("LANGUAGE", "sv:fr_CA:de");
  desktop.process.setEnvironment("LC_ALL", "");
  desktop.process.setEnvironment("LC_MESSAGES", "ja_JP.UTF-8@cjk");
  desktop.process.setEnvironment("LANG", "C.UTF-8");
  EXPECT_EQ(Localizer::systemPreferredLanguages(desktop.platform()),
            (std::vector<std::string>{"sv", "fr_CA", "de", "ja_JP"}));
  EXPECT_EQ(resolved("system"), "fr");

  desktop.process.setEnvironment("LANGUAGE", std::nullopt);
  desktop.process.setEnvironment("LC_MESSAGES", "POSIX");
  EXPECT_EQ(resolved("system"), "en");

  // The user's global list wins over the environment.
  systemLanguages({"it"});
  EXPECT_EQ(resolved("system"), "it");
}

TEST_F(LocalizerTest, SetPreferenceStoresResolvesAndAnnouncesOnTheMainLoop) {
  Localizer localizer(desktop.platform(), desktop.suiteDefaults);
  int announced = 0;
  auto token =
      desktop.notifications.addObserver(std::string(Localizer::languageDidChange), &localizer,
                                        [&](const Notification&) { ++announced; });

  localizer.setPreference("de");
  EXPECT_EQ(localizer.preference(), "de");
  EXPECT_EQ(localizer.language().code, "de");
  EXPECT_EQ(desktop.suiteDefaults.getString("tavorin.language"), "de");
  EXPECT_EQ(desktop.standardDefaults.getStringList("AppleLanguages"), (StringList{"de"}));
  EXPECT_EQ(announced, 1);

  localizer.setPreference("klingon");
  EXPECT_EQ(desktop.suiteDefaults.getString("tavorin.language"), "system");
  EXPECT_EQ(desktop.standardDefaults.value("AppleLanguages"), std::nullopt);
  EXPECT_EQ(localizer.language().code, "en");
  EXPECT_EQ(announced, 2);

  // From another thread the notice still arrives on the main loop.
  std::thread([&] { localizer.setPreference("ja"); }).join();
  EXPECT_EQ(announced, 2);
  desktop.settle();
  EXPECT_EQ(announced, 3);
}

TEST_F(LocalizerTest, ReloadAdoptsAnotherProcessChoiceSilently) {
  systemLanguages({"fr"});
  Localizer localizer(desktop.platform(), desktop.suiteDefaults);
  EXPECT_EQ(localizer.language().code, "fr");
  int announced = 0;
  int observed = 0;
  auto token = desktop.notifications.addObserver(std::string(Localizer::languageDidChange), nullptr,
                                                 [&](const Notification&) { ++announced; });
  auto observer = localizer.observe([&] { ++observed; });

  desktop.suiteDefaults.simulateExternalWrite("tavorin.language", PreferenceValue("tr"));
  localizer.reloadFromStore();
  EXPECT_EQ(localizer.language().code, "tr");
  EXPECT_EQ(observed, 1);

  localizer.reloadFromStore();  // nothing changed
  EXPECT_EQ(observed, 1);

  // "system" is re-resolved on every reload, so a new system list is picked up.
  desktop.suiteDefaults.simulateExternalWrite("tavorin.language", PreferenceValue("system"));
  localizer.reloadFromStore();
  EXPECT_EQ(localizer.language().code, "fr");
  systemLanguages({"nl"});
  localizer.reloadFromStore();
  EXPECT_EQ(localizer.language().code, "nl");
  EXPECT_EQ(observed, 3);
  EXPECT_EQ(announced, 0);
  EXPECT_EQ(desktop.standardDefaults.value("AppleLanguages"), std::nullopt);
}

TEST_F(LocalizerTest, InstallUsesTheSharedSuiteOrTheStandardStoreInItsPlace) {
  desktop.suiteDefaults.setString("tavorin.language", "it");
  EXPECT_EQ(Localizer::install(desktop.platform()).language().code, "it");

  sim::SimDesktop withoutSuite({.suiteAvailable = false});
  withoutSuite.standardDefaults.setString("tavorin.language", "ko");
  auto& localizer = Localizer::install(withoutSuite.platform());
  EXPECT_EQ(localizer.language().code, "ko");
  EXPECT_EQ(Localizer::currentLanguage().code, "ko");
}

TEST_F(LocalizerTest, TextsWithoutTranslationShowTheirKey) {
  EXPECT_EQ(L("Off"), "Off");  // no localizer yet
  desktop.suiteDefaults.setString("tavorin.language", "de");
  Localizer::install(desktop.platform());
  EXPECT_EQ(L("Some text that no table has"), "Some text that no table has");
  EXPECT_EQ(L("%d things", 1234), "1.234 things");  // numbers follow the language
}

}  // namespace
}  // namespace tavorin

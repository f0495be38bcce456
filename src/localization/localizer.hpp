#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "localization/format.hpp"
#include "localization/language.hpp"
#include "localization/tables/tables.hpp"
#include "platform/build_info.hpp"
#include "platform/platform.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// Decides the interface language (the user's pick, or the first supported system language,
// or English) and looks texts up in its table. The choice is kept in the shared suite so that
// the folder previewer follows the menu-bar program.
class Localizer {
 public:
  static constexpr std::string_view systemPreference = "system";
  static constexpr std::string_view preferenceKey = "tavorin.language";
  static constexpr std::string_view languageDidChange = "TavorinLanguageDidChange";
  static constexpr std::string_view appGroup = build::appGroup;

  // Builds the process's localizer on the shared suite (the standard store when the suite could
  // not be opened) and makes it the one `L` uses. Replaces any earlier one.
  static Localizer& install(const Platform& platform);
  // Makes `localizer` the process's localizer (null: none; every text shows in English).
  static void setShared(std::shared_ptr<Localizer> localizer);
  // The process's localizer, or null before one is installed.
  static Localizer* shared();
  // The current language of the process's localizer; English before one is installed.
  static Language currentLanguage();

  // Reads the stored preference from `store` and resolves it. Posts nothing.
  Localizer(const Platform& platform, PreferenceStore& store);
  Localizer(const Localizer&) = delete;
  Localizer& operator=(const Localizer&) = delete;

  // The language picker's choice: "system" or a language code (anything else means "system").
  void setPreference(std::string_view code);
  // Adopts a preference another process stored, re-resolving "system". Posts nothing.
  void reloadFromStore();

  std::string string(std::string_view key) const;
  std::string format(std::string_view key, std::span<const FormatArg> args) const;

  std::string preference() const { return snapshot()->preference; }
  Language language() const { return snapshot()->language; }
  // The code of the locale that numbers are written in.
  std::string_view localeCode() const { return snapshot()->language.code; }

  // Called after `preference` and `language` changed, for views that redraw.
  [[nodiscard]] Subscription observe(std::function<void()> onChange);

  static Language resolve(std::string_view preference, const Platform& platform);
  static Language systemLanguage(const Platform& platform);
  // The user's global "AppleLanguages" list where one exists; otherwise, in order, the entries of
  // LANGUAGE and the languages of LC_ALL, LC_MESSAGES and LANG.
  static std::vector<std::string> systemPreferredLanguages(const Platform& platform);

 private:
  // Everything `L` reads, replaced as a whole so that readers on other threads need no lock.
  struct State {
    std::string preference;
    Language language;
    TranslationTable table;
  };
  std::shared_ptr<const State> snapshot() const { return state_.load(); }
  void adopt(std::string preference);

  const Platform& platform_;
  PreferenceStore& store_;
  std::atomic<std::shared_ptr<const State>> state_;
  Signal<> changed_;
};

// The text for `key` in the current language, or `key` itself when there is no translation.
std::string L(std::string_view key);

// The same, formatted printf-style with `args` in the current language's locale.
template <typename... Args>
requires(sizeof...(Args) > 0) std::string L(std::string_view key, const Args&... args) {
  const FormatArg formatArgs[] = {FormatArg(args)...};
  if (auto* localizer = Localizer::shared()) return localizer->format(key, formatArgs);
  return formatLocalized(key, formatArgs, Language::english().code);
}

}  // namespace tavorin

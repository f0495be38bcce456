#include "localization/localizer.hpp"

#include <mutex>

#include "preferences/preference_keys.hpp"

namespace tavorin {

namespace {

std::mutex sharedMutex;
std::shared_ptr<Localizer> sharedLocalizer;
std::atomic<Localizer*> sharedPointer{nullptr};

// "de_DE.UTF-8@euro" → "de_DE"; "C" and "POSIX" name no language.
std::string languageOfLocaleName(std::string name) {
  if (auto at = name.find('@'); at != std::string::npos) name.erase(at);
  if (auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
  if (name == "C" || name == "POSIX") return {};
  return name;
}

}  // namespace

Localizer& Localizer::install(const Platform& platform) {
  auto localizer = std::make_shared<Localizer>(platform, platform.sharedDefaults());
  Localizer& installed = *localizer;
  setShared(std::move(localizer));
  return installed;
}

void Localizer::setShared(std::shared_ptr<Localizer> localizer) {
  std::lock_guard lock(sharedMutex);
  sharedPointer = localizer.get();
  sharedLocalizer = std::move(localizer);
}

Localizer* Localizer::shared() {
  return sharedPointer.load();
}

Language Localizer::currentLanguage() {
  if (auto* localizer = shared()) return localizer->language();
  return Language::english();
}

Localizer::Localizer(const Platform& platform, PreferenceStore& store)
    : platform_(platform), store_(store) {
  std::string preference = store_.getString(preferenceKey).value_or(std::string(systemPreference));
  Language language = resolve(preference, platform_);
  state_.store(std::make_shared<const State>(
      State{std::move(preference), language, Tables::merged(language.code)}));
}

void Localizer::adopt(std::string preference) {
  const Language language = resolve(preference, platform_);
  state_.store(std::make_shared<const State>(
      State{std::move(preference), language, Tables::merged(language.code)}));
  changed_.emit();
}

void Localizer::setPreference(std::string_view requested) {
  const bool known = requested != systemPreference && Language::byCode(requested) != nullptr;
  const std::string code(known ? requested : systemPreference);

  store_.setString(preferenceKey, code);
  adopt(code);
  // The platform's own texts inside the program follow from the next launch on.
  if (known) {
    platform_.standardDefaults.setStringList(prefs::appleLanguages.name,
                                             {std::string(language().code)});
  } else {
    platform_.standardDefaults.remove(prefs::appleLanguages.name);
  }

  auto announce = [notifications = &platform_.notifications, self = this] {
    notifications->post(languageDidChange, self);
  };
  if (platform_.runLoop.isMainThread()) {
    announce();
  } else {
    platform_.runLoop.post(announce);
  }
}

void Localizer::reloadFromStore() {
  std::string stored = store_.getString(preferenceKey).value_or(std::string(systemPreference));
  const auto current = snapshot();
  if (stored == current->preference && resolve(stored, platform_) == current->language) return;
  adopt(std::move(stored));
}

std::string Localizer::string(std::string_view key) const {
  const auto state = snapshot();
  if (auto it = state->table.find(std::string(key)); it != state->table.end()) return it->second;
  return std::string(key);
}

std::string Localizer::format(std::string_view key, std::span<const FormatArg> args) const {
  const auto state = snapshot();
  auto it = state->table.find(std::string(key));
  const std::string_view templ = it != state->table.end() ? std::string_view(it->second) : key;
  return formatLocalized(templ, args, state->language.code);
}

Subscription Localizer::observe(std::function<void()> onChange) {
  return changed_.connect(std::move(onChange));
}

Language Localizer::resolve(std::string_view preference, const Platform& platform) {
  if (preference != systemPreference) {
    if (const auto* language = Language::byCode(preference)) return *language;
  }
  return systemLanguage(platform);
}

Language Localizer::systemLanguage(const Platform& platform) {
  for (const auto& tag : systemPreferredLanguages(platform)) {
    if (const auto* language = Language::match(tag)) return *language;
  }
  return Language::english();
}

std::vector<std::string> Localizer::systemPreferredLanguages(const Platform& platform) {
  // The global list, not the program's own domain: `setPreference` writes the program's own
  // "AppleLanguages", which must not change what "system" means.
  if (platform.globalDefaults != nullptr) {
    if (auto list = platform.globalDefaults->getStringList(prefs::appleLanguages.name)) {
      return *list;
    }
  }
  std::vector<std::string> tags;
  auto add = [&tags](std::string tag) {
    if (!tag.empty() && std::find(tags.begin(), tags.end(), tag) == tags.end()) {
      tags.push_back(std::move(tag));
    }
  };
  if (auto list = platform.process.environment("LANGUAGE")) {
    std::size_t start = 0;
    while (start <= list->size()) {
      const auto end = std::min(list->find(':', start), list->size());
      add(languageOfLocaleName(list->substr(start, end - start)));
      start = end + 1;
    }
  }
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (auto value = platform.process.environment(variable)) add(languageOfLocaleName(*value));
  }
  return tags;
}

std::string L(std::string_view key) {
  if (auto* localizer = Localizer::shared()) return localizer->string(key);
  return std::string(key);
}

}  // namespace tavorin

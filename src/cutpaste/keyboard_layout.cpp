#include "cutpaste/keyboard_layout.hpp"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <array>
#include <utility>

namespace tavorin {

namespace {

std::shared_ptr<KeyboardLayout>& sharedLayout() {
  static std::shared_ptr<KeyboardLayout> layout;
  return layout;
}

// Letters whose keys are known without asking the layout: the default shortcuts' letters on
// their US keys.
constexpr std::array<std::pair<std::string_view, std::uint16_t>, 3> fallback{
    {{"x", 7}, {"c", 8}, {"v", 9}}};

// The first user-perceived character of UTF-8 `text`: its first code point with the combining
// marks and joiners that belong to it. Empty when `text` is empty or does not start with a
// well-formed code point.
std::string_view firstCharacter(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t offset = 0;
  UChar32 c = 0;
  U8_NEXT(bytes, offset, length, c);
  if (c < 0) return {};
  std::int32_t end = offset;
  while (end < length) {
    std::int32_t next = end;
    U8_NEXT(bytes, next, length, c);
    if (c < 0) break;
    const auto breakClass = u_getIntPropertyValue(c, UCHAR_GRAPHEME_CLUSTER_BREAK);
    if (breakClass != U_GCB_EXTEND && breakClass != U_GCB_ZWJ && breakClass != U_GCB_SPACING_MARK) {
      break;
    }
    end = next;
  }
  return text.substr(0, static_cast<std::size_t>(end));
}

// The lower-case ASCII letter a key's text stands for, when the text is exactly one UTF-16 unit
// that lower-cases to one ASCII letter.
std::optional<char> asciiLetter(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t offset = 0;
  UChar32 c = 0;
  if (length == 0) return std::nullopt;
  U8_NEXT(bytes, offset, length, c);
  if (c < 0 || offset != length || c > 0xFFFF) return std::nullopt;
  icu::UnicodeString lower(c);
  lower.toLower(icu::Locale::getRoot());
  if (lower.length() != 1) return std::nullopt;
  const char16_t unit = lower.charAt(0);
  if (unit > 0x7F) return std::nullopt;
  const char letter = static_cast<char>(unit);
  if ((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z')) return letter;
  return std::nullopt;
}

}  // namespace

KeyboardLayout::KeyboardLayout(KeyboardLayoutService* service, RunLoop& mainLoop)
    : service_(service), mainLoop_(&mainLoop) {}

KeyboardLayout& KeyboardLayout::install(const Platform& platform) {
  auto layout = std::make_shared<KeyboardLayout>(platform.keyboardLayout, platform.runLoop);
  sharedLayout() = layout;
  return *layout;
}

void KeyboardLayout::setShared(std::shared_ptr<KeyboardLayout> layout) {
  sharedLayout() = std::move(layout);
}

KeyboardLayout* KeyboardLayout::shared() {
  return sharedLayout().get();
}

KeyboardLayout& KeyboardLayout::current() {
  if (auto* layout = shared()) return *layout;
  static KeyboardLayout fallbackOnly;
  return fallbackOnly;
}

std::optional<std::uint16_t> KeyboardLayout::find(std::string_view character) {
  if (isStale_) refresh();
  const std::string_view key = firstCharacter(character);
  if (key.empty()) return std::nullopt;
  if (auto found = cache_.find(key); found != cache_.end()) return found->second;
  for (const auto& [letter, code] : fallback) {
    if (letter == key) return code;
  }
  return std::nullopt;
}

void KeyboardLayout::startObserving() {
  if (observing_) return;
  observing_ = true;
  if (service_ != nullptr && mainLoop_ != nullptr) {
    // The layout outlives its observer, which ends the registration when it goes.
    observer_.emplace(*mainLoop_, [this] { isStale_ = true; });
    observer_->observe([service = service_](std::function<void()> callback) {
      return service->observeLayoutChanges(std::move(callback));
    });
  }
  isStale_ = true;
}

void KeyboardLayout::refresh() {
  isStale_ = false;
  if (service_ == nullptr) return;
  const auto layout = service_->currentLayout();
  if (!layout) return;
  if (layout->id == cachedSourceID_ && !cache_.empty()) return;
  cachedSourceID_ = layout->id;
  cache_.clear();
  if (!layout->hasKeyTranslation) return;
  for (std::uint16_t code = 0; code <= 127; ++code) {
    const auto text = service_->translateKey(code);
    if (!text) continue;
    const auto letter = asciiLetter(*text);
    if (!letter) continue;
    // The lowest key that types a letter keeps it.
    cache_.emplace(std::string(1, *letter), code);
  }
}

}  // namespace tavorin

#include "pointer/core/pointer_settings_store.hpp"

#include <algorithm>
#include <utility>

#include "pointer/core/pointer_locator_settings.hpp"

namespace tavorin {

namespace {

using Keys = PointerLocatorSettings::Keys;

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

PointerSettingsStore::PointerSettingsStore(PreferenceStore& defaults)
    : defaults_(defaults),
      trigger_(prefs::pointerTrigger.defaultValue),
      modifier_(prefs::pointerModifier.defaultValue),
      speed_(prefs::pointerSpeed.defaultValue),
      shortcutStorage_(PointerShortcut::defaultShortcut().storageString()),
      style_(prefs::pointerStyle.defaultValue),
      colorHex_(prefs::pointerColor.defaultValue),
      size_(prefs::pointerSize.defaultValue),
      duration_(prefs::pointerDuration.defaultValue) {}

std::shared_ptr<PointerSettingsStore> PointerSettingsStore::create(
    PreferenceStore& defaults, NotificationCenter& notifications, RunLoop& mainLoop) {
  std::shared_ptr<PointerSettingsStore> store(new PointerSettingsStore(defaults));
  store->load();
  store->observer_ = notifications.addObserver(
      std::string(PreferenceStore::didChangeNotification), &defaults,
      [weak = std::weak_ptr<PointerSettingsStore>(store), &mainLoop](const Notification&) {
        mainLoop.post([weak] {
          if (auto self = weak.lock()) self->load();
        });
      });
  return store;
}

void PointerSettingsStore::load() {
  const auto record = PointerLocatorSettings::load(defaults_);
  loading_ = true;
  if (trigger_ != rawValue(record.trigger)) setTrigger(std::string(rawValue(record.trigger)));
  if (modifier_ != rawValue(record.modifier)) setModifier(std::string(rawValue(record.modifier)));
  if (speed_ != rawValue(record.speed)) setSpeed(std::string(rawValue(record.speed)));
  if (PointerShortcut::fromStorage(shortcutStorage_) != record.shortcut) {
    setShortcutStorage(record.shortcut.storageString());
  }
  if (style_ != rawValue(record.style)) setStyle(std::string(rawValue(record.style)));
  if (!equalIgnoringCase(colorHex_, record.colorHex)) setColorHex(record.colorHex);
  if (size_ != record.size) setSize(record.size);
  if (duration_ != record.duration) setDuration(record.duration);
  loading_ = false;
}

Subscription PointerSettingsStore::observe(std::function<void()> onChange) {
  return changed_.connect(std::move(onChange));
}

void PointerSettingsStore::assignString(std::string& field, std::string value,
                                        std::string_view key) {
  field = std::move(value);
  changed_.emit();
  if (!loading_) defaults_.setString(key, field);
}

void PointerSettingsStore::assignNumber(double& field, double value, std::string_view key) {
  field = value;
  changed_.emit();
  if (!loading_) defaults_.setDouble(key, field);
}

void PointerSettingsStore::setTrigger(std::string value) {
  assignString(trigger_, std::move(value), Keys::trigger);
}
void PointerSettingsStore::setModifier(std::string value) {
  assignString(modifier_, std::move(value), Keys::modifier);
}
void PointerSettingsStore::setSpeed(std::string value) {
  assignString(speed_, std::move(value), Keys::speed);
}
void PointerSettingsStore::setShortcutStorage(std::string value) {
  assignString(shortcutStorage_, std::move(value), Keys::shortcut);
}
void PointerSettingsStore::setStyle(std::string value) {
  assignString(style_, std::move(value), Keys::style);
}
void PointerSettingsStore::setColorHex(std::string value) {
  assignString(colorHex_, std::move(value), Keys::color);
}
void PointerSettingsStore::setSize(double value) {
  assignNumber(size_, value, Keys::size);
}
void PointerSettingsStore::setDuration(double value) {
  assignNumber(duration_, value, Keys::duration);
}

}  // namespace tavorin

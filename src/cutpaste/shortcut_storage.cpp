#include "cutpaste/shortcut_storage.hpp"

#include <string>
#include <utility>

namespace tavorin {

void postCutPasteShortcutsDidChange(NotificationCenter& notifications, const void* controller) {
  notifications.post(cutPasteShortcutsDidChange, controller);
}

std::optional<CutPasteShortcut> readStoredShortcut(const PreferenceStore& defaults,
                                                   const DataPreferenceKey& key) {
  const auto data = defaults.getBytes(key.name);
  if (!data) return std::nullopt;
  return CutPasteShortcut::decode(*data);
}

void storeShortcut(PreferenceStore& defaults, const DataPreferenceKey& key,
                   const CutPasteShortcut& shortcut) {
  defaults.setBytes(key.name, shortcut.encoded());
}

StoredCutPasteShortcuts::StoredCutPasteShortcuts(PreferenceStore& defaults, KeyboardLayout& layout)
    : defaults_(defaults) {
  if (auto stored = readStoredShortcut(defaults_, prefs::cutShortcut)) setCut(std::move(*stored));
  if (auto stored = readStoredShortcut(defaults_, prefs::pasteShortcut)) {
    setPaste(std::move(*stored));
  }
  if (CutPasteShortcut::validationError(cut_, paste_, layout)) reset();
}

void StoredCutPasteShortcuts::setCut(CutPasteShortcut shortcut) {
  cut_ = std::move(shortcut);
  storeShortcut(defaults_, prefs::cutShortcut, cut_);
}

void StoredCutPasteShortcuts::setPaste(CutPasteShortcut shortcut) {
  paste_ = std::move(shortcut);
  storeShortcut(defaults_, prefs::pasteShortcut, paste_);
}

void StoredCutPasteShortcuts::reset() {
  setCut(CutPasteShortcut::defaultCut());
  setPaste(CutPasteShortcut::defaultPaste());
}

}  // namespace tavorin

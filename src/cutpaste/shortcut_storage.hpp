#pragma once

#include <optional>
#include <string_view>

#include "cutpaste/cut_paste_shortcut.hpp"
#include "cutpaste/keyboard_layout.hpp"
#include "platform/notification_center.hpp"
#include "platform/preference_store.hpp"
#include "preferences/preference_keys.hpp"

namespace tavorin {

// Posted on the default notification centre, with the cut and paste controller as object, after
// the settings applied a new pair of shortcuts.
inline constexpr std::string_view cutPasteShortcutsDidChange = "CutPasteShortcutsDidChange";

void postCutPasteShortcutsDidChange(NotificationCenter& notifications, const void* controller);

// The shortcut stored under `key`, or nothing when there is none or it does not decode.
std::optional<CutPasteShortcut> readStoredShortcut(const PreferenceStore& defaults,
                                                   const DataPreferenceKey& key);
void storeShortcut(PreferenceStore& defaults, const DataPreferenceKey& key,
                   const CutPasteShortcut& shortcut);

// The cut and paste shortcuts in force, kept in the preferences: every change is stored at once.
class StoredCutPasteShortcuts {
 public:
  // Loads both: a stored shortcut that decodes replaces the default and is written back (data
  // that does not decode is left as it is and the default stays in force); a loaded pair that
  // fails validation is replaced by the defaults, which are stored.
  explicit StoredCutPasteShortcuts(PreferenceStore& defaults,
                                   KeyboardLayout& layout = KeyboardLayout::current());

  const CutPasteShortcut& cut() const { return cut_; }
  const CutPasteShortcut& paste() const { return paste_; }
  void setCut(CutPasteShortcut shortcut);
  void setPaste(CutPasteShortcut shortcut);
  // Both back to the defaults, stored.
  void reset();

 private:
  PreferenceStore& defaults_;
  CutPasteShortcut cut_ = CutPasteShortcut::defaultCut();
  CutPasteShortcut paste_ = CutPasteShortcut::defaultPaste();
};

}  // namespace tavorin

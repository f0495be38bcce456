#pragma once

#include <string_view>

namespace tavorin {

// Which of the two preference stores holds a key: the application's own domain, or the suite
// that the folder previewer shares.
enum class PreferenceDomain { standard, shared };

// One key of the preference catalogue: its name, its store and the value it reads as when it is
// absent or of another type.
template <typename T>
struct PreferenceKey {
  std::string_view name;
  PreferenceDomain domain;
  T defaultValue;
};

// A key whose default is not a simple constant (described beside it).
struct DataPreferenceKey {
  std::string_view name;
  PreferenceDomain domain;
};

// Every preference key the programs use. Window Layout keeps its settings in a state file of
// its own, not here.
namespace prefs {

using enum PreferenceDomain;

// Feature switches.
inline constexpr PreferenceKey<bool> showMenuBarIcon{"tavorin.showMenuBarIcon", standard, true};
inline constexpr PreferenceKey<bool> cutPasteEnabled{"tavorin.cutPasteEnabled", standard, true};
inline constexpr PreferenceKey<bool> tilingEnabled{"tavorin.tilingEnabled", standard, true};
inline constexpr PreferenceKey<bool> pointerLocatorEnabled{"tavorin.pointerLocatorEnabled",
                                                           standard, true};
inline constexpr PreferenceKey<bool> smartDockEnabled{"tavorin.smartDockEnabled", standard, true};

// Application controller.
inline constexpr PreferenceKey<bool> onboardingDone{"tavorin.onboardingDone", standard, false};
// Seconds since 1970 of the last relaunch after a permission grant.
inline constexpr PreferenceKey<double> lastPermissionRelaunch{"lastPermissionRelaunch", standard,
                                                              0.0};

// Interface language. "AppleLanguages" is a one-element list for an explicit language and
// absent for the system's choice.
inline constexpr DataPreferenceKey appleLanguages{"AppleLanguages", standard};
inline constexpr PreferenceKey<std::string_view> language{"tavorin.language", shared, "system"};

// Folder Preview view options.
inline constexpr PreferenceKey<std::string_view> folderPreviewLayout{"FolderPreview.layout", shared,
                                                                     "list"};
inline constexpr PreferenceKey<std::string_view> folderPreviewSortKey{"FolderPreview.sortKey",
                                                                      shared, "name"};
inline constexpr PreferenceKey<bool> folderPreviewAscending{"FolderPreview.ascending", shared,
                                                            true};
inline constexpr PreferenceKey<bool> folderPreviewShowHidden{"FolderPreview.showHidden", shared,
                                                             false};

// Cut & Paste. The shortcuts are JSON-encoded bytes; absent means the built-in shortcut.
inline constexpr DataPreferenceKey cutShortcut{"cutpaste.cutShortcut", standard};
inline constexpr DataPreferenceKey pasteShortcut{"cutpaste.pasteShortcut", standard};
inline constexpr PreferenceKey<bool> dimsCutItems{"cutpaste.dimsCutItems", standard, true};
inline constexpr PreferenceKey<bool> playsSounds{"cutpaste.playsSounds", standard, true};
inline constexpr PreferenceKey<bool> escapeCancelsCut{"cutpaste.escapeCancelsCut", standard, true};

// Pointer Locator. The shortcut's storage string defaults to ⌃⌥P.
inline constexpr PreferenceKey<std::string_view> pointerTrigger{"pointer.trigger", standard,
                                                                "doubleTap"};
inline constexpr PreferenceKey<std::string_view> pointerModifier{"pointer.modifier", standard,
                                                                 "control"};
inline constexpr PreferenceKey<std::string_view> pointerSpeed{"pointer.speed", standard, "normal"};
inline constexpr DataPreferenceKey pointerShortcut{"pointer.shortcut", standard};
inline constexpr PreferenceKey<std::string_view> pointerStyle{"pointer.style", standard, "shrink"};
inline constexpr PreferenceKey<std::string_view> pointerColor{"pointer.color", standard, "#FF9F0A"};
// Limited to 40…250.
inline constexpr PreferenceKey<double> pointerSize{"pointer.size", standard, 90.0};
// Seconds, limited to 0.3…2.0.
inline constexpr PreferenceKey<double> pointerDuration{"pointer.duration", standard, 0.7};

// Smart Dock Hiding. Distance limited to 0…100, delays to 0…3 seconds.
inline constexpr PreferenceKey<double> smartDockDistance{"smartdock.distance", standard, 0.0};
inline constexpr PreferenceKey<double> smartDockHideDelay{"smartdock.hideDelay", standard, 0.3};
inline constexpr PreferenceKey<double> smartDockShowDelay{"smartdock.showDelay", standard, 0.5};
// The Dock's own auto-hide setting, present only while Smart Dock Hiding runs.
inline constexpr DataPreferenceKey smartDockSavedAutoHide{"smartdock.savedAutoHide", standard};

}  // namespace prefs
}  // namespace tavorin

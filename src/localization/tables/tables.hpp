#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavorin {

// English text → text in one language.
using TranslationTable = std::unordered_map<std::string, std::string>;

// One translation as it is written in the constant data: the English text and its wording in
// one language.
struct TranslationEntry {
  std::string_view key;
  std::string_view text;
};

// Every translation of one group in one language.
struct LanguageEntries {
  std::string_view code;
  std::span<const TranslationEntry> entries;
};

// The compiled-in translations, grouped by the part of the programs that shows the texts.
struct Tables {
  enum class Group { app, cutPaste, folderPreview, pointer, tiling, smartDock };
  static constexpr std::array<Group, 6> features{Group::app,           Group::cutPaste,
                                                 Group::folderPreview, Group::pointer,
                                                 Group::tiling,        Group::smartDock};

  // The languages every group has a table for (English needs none: its texts are the keys).
  static constexpr std::array<std::string_view, 11> languages{
      "tr", "de", "fr", "es", "it", "pt-BR", "nl", "ru", "ja", "zh-Hans", "ko"};

  static std::string_view name(Group group);

  // The table of `group` for `code`, built on first use (safely from any thread) and kept for
  // the life of the process; null when the group has no table for `code`.
  static const TranslationTable* table(Group group, std::string_view code);

  // One flat table for a language: every group's table for `code`, merged in `features` order.
  // Empty for English and for codes without tables, so every text shows in English.
  static TranslationTable merged(std::string_view code);

  // Turns constant entries into a table. A key listed twice is a defect in the data, not a
  // condition to live with: the program stops with a message that names `tableName` and the key.
  static TranslationTable build(std::span<const TranslationEntry> entries,
                                std::string_view tableName);
};

}  // namespace tavorin

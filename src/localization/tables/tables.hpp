#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavorin {

// English text → text in one language.
using TranslationTable = std::unordered_map<std::string, std::string>;

// The compiled-in translations, grouped by the part of the programs that shows the texts.
struct Tables {
  enum class Group { app, cutPaste, folderPreview, pointer, tiling, smartDock };
  static constexpr std::array<Group, 6> features{Group::app,           Group::cutPaste,
                                                 Group::folderPreview, Group::pointer,
                                                 Group::tiling,        Group::smartDock};

  // One flat table for a language: every group's table for `code`, merged in `features` order.
  // Empty for English and for codes without tables, so every text shows in English.
  static TranslationTable merged(std::string_view code);
};

}  // namespace tavorin

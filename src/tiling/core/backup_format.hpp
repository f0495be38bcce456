#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tiling/core/templates.hpp"

namespace tavorin {

// Layout files of the GNOME "Tiling Shell" extension: lists of rectangular tiles in fractions
// of the screen, converted into split trees when straight cuts can separate the tiles.
struct TilingShellFormat {
  struct Tile {
    double x = 0;  // fractions of the screen's width and height
    double y = 0;
    double width = 0;
    double height = 0;
    std::vector<long long> groups;  // resize groups; read and ignored
  };

  struct Layout {
    std::string id;  // the layout's name in that format
    std::vector<Tile> tiles;
  };

  class ImportError {
   public:
    enum class Kind { invalidJSON, notGuillotine };

    static ImportError invalidJSON() { return ImportError(Kind::invalidJSON, {}); }
    static ImportError notGuillotine(std::string layoutID) {
      return ImportError(Kind::notGuillotine, std::move(layoutID));
    }

    Kind kind() const { return kind_; }
    const std::string& layoutID() const { return layoutID_; }
    // Fixed texts, not translated.
    std::string description() const;

    bool operator==(const ImportError&) const = default;

   private:
    ImportError(Kind kind, std::string layoutID) : kind_(kind), layoutID_(std::move(layoutID)) {}
    Kind kind_;
    std::string layoutID_;
  };

  // Cuts within this distance pass between tiles; edges closer than this count as aligned.
  static constexpr double tolerance = 0.002;
  // Work allowed for one layout: a file that asks for more fails like an uncuttable one
  // instead of keeping the program busy for ages. Real layouts need a tiny fraction.
  static constexpr std::size_t maxTiles = 10000;
  static constexpr int maxBuildCalls = 10000;
  static constexpr long long maxBuildSteps = 20'000'000;

  // Templates with new random ids, named after the layouts, or the error to show. The file
  // holds an array of layouts or a single layout object; one layout that cannot be cut fails
  // the whole file.
  static std::variant<std::vector<LayoutTemplate>, ImportError> importJSON(std::string_view bytes);

  // The split tree that separates `rects` inside `area` by straight cuts: vertical cuts before
  // horizontal ones, and on each axis the leftmost or topmost cut that works. Nothing when no
  // such tree exists (or the work budget runs out).
  static std::optional<LayoutNode> build(const std::vector<TRect>& rects, const TRect& area);
};

// The backup file: every template and the whole settings, zone shortcuts included (screen
// assignments stay with the computer).
struct WindowLayoutBackup {
  static constexpr std::string_view formatID = "Tavorin.WindowLayout";

  // What a file read back holds: a whole backup, or templates converted from a Tiling Shell
  // file.
  class Contents;

  WindowLayoutBackup(std::vector<LayoutTemplate> templates, TilingSettings settings)
      : templates(std::move(templates)), settings(std::move(settings)) {}

  std::string format{formatID};
  long long version = 1;
  std::vector<LayoutTemplate> templates;
  TilingSettings settings;

  // Pretty-printed JSON with sorted keys; nothing (with the reason in `error`) when the
  // contents cannot be written as JSON that reads back.
  std::optional<std::string> encoded(std::string* error = nullptr) const;

  // A backup when the bytes are one (format "Tavorin.WindowLayout"); otherwise the bytes are
  // imported as a Tiling Shell file, whose error is the answer when that fails too.
  static std::variant<Contents, TilingShellFormat::ImportError> read(std::string_view bytes);

  bool operator==(const WindowLayoutBackup&) const = default;
};

class WindowLayoutBackup::Contents {
 public:
  static Contents backup(WindowLayoutBackup backup) {
    Contents contents;
    contents.backup_ = std::move(backup);
    return contents;
  }
  static Contents templatesOnly(std::vector<LayoutTemplate> templates) {
    Contents contents;
    contents.templates_ = std::move(templates);
    return contents;
  }
  // The backup, or null for templates only.
  const WindowLayoutBackup* backup() const { return backup_ ? &*backup_ : nullptr; }
  // The templates of either kind.
  const std::vector<LayoutTemplate>& templates() const {
    return backup_ ? backup_->templates : templates_;
  }

 private:
  Contents() = default;
  std::optional<WindowLayoutBackup> backup_;
  std::vector<LayoutTemplate> templates_;  // templates only
};

}  // namespace tavorin

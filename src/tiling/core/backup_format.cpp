#include "tiling/core/backup_format.hpp"

#include <algorithm>

#include "tiling/core/json_support.hpp"

namespace tavorin {

using ImportError = TilingShellFormat::ImportError;

std::string ImportError::description() const {
  if (kind_ == Kind::invalidJSON) return "Dosya Tiling Shell şablon formatında değil.";
  return "“" + layoutID_ + "” şablonu düz çizgilerle bölünebilecek bir yapıda değil.";
}

namespace {

using namespace json_support;

TilingShellFormat::Tile decodeTile(const nlohmann::json& json) {
  TilingShellFormat::Tile tile;
  tile.x = number(required(json, "x"));
  tile.y = number(required(json, "y"));
  tile.width = number(required(json, "width"));
  tile.height = number(required(json, "height"));
  // Older files of the extension have tiles without groups; nothing uses them anyway.
  if (const auto* groups = optional(json, "groups")) {
    for (const auto& group : array(*groups))
      tile.groups.push_back(integer(group));
  }
  return tile;
}

TilingShellFormat::Layout decodeLayout(const nlohmann::json& json) {
  TilingShellFormat::Layout layout;
  layout.id = string(required(json, "id"));
  for (const auto& tile : array(required(json, "tiles")))
    layout.tiles.push_back(decodeTile(tile));
  return layout;
}

std::optional<std::vector<TilingShellFormat::Layout>> decodeLayouts(const nlohmann::json& json) {
  try {
    std::vector<TilingShellFormat::Layout> layouts;
    for (const auto& layout : array(json))
      layouts.push_back(decodeLayout(layout));
    return layouts;
  } catch (const std::exception&) {
  }
  try {
    return std::vector<TilingShellFormat::Layout>{decodeLayout(json)};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

struct BuildBudget {
  int calls = 0;
  long long steps = 0;
  bool exhausted = false;

  // Counts one call at `depth`; false once the work allowed for the layout is used up (a tree
  // deeper than the state file accepts counts as too much work as well).
  bool enter(int depth) {
    if (++calls > TilingShellFormat::maxBuildCalls || depth > LayoutNode::maxDepth) {
      exhausted = true;
    }
    return !exhausted;
  }
  bool step(std::size_t count) {
    steps += static_cast<long long>(count);
    if (steps > TilingShellFormat::maxBuildSteps) exhausted = true;
    return !exhausted;
  }
};

double nearEdge(const TRect& r, SplitAxis axis) {
  return axis == SplitAxis::vertical ? r.x : r.y;
}

double farEdge(const TRect& r, SplitAxis axis) {
  return axis == SplitAxis::vertical ? r.x + r.width : r.y + r.height;
}

std::optional<LayoutNode> buildIn(const std::vector<TRect>& rects, const TRect& area, int depth,
                                  BuildBudget& budget) {
  constexpr double eps = TilingShellFormat::tolerance;
  if (!budget.enter(depth)) return std::nullopt;
  if (rects.size() == 1) return LayoutNode::leaf();
  if (rects.empty() || area.width <= eps || area.height <= eps) return std::nullopt;

  for (SplitAxis axis : {SplitAxis::vertical, SplitAxis::horizontal}) {
    const double low = nearEdge(area, axis);
    const double high = farEdge(area, axis);
    std::vector<double> cuts;
    for (const TRect& r : rects) {
      const double cut = farEdge(r, axis);
      if (low + eps < cut && cut < high - eps) cuts.push_back(cut);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    if (!budget.step(cuts.size())) return std::nullopt;

    for (double cut : cuts) {
      std::vector<TRect> first;
      std::vector<TRect> second;
      bool crossed = false;
      for (const TRect& r : rects) {
        if (farEdge(r, axis) <= cut + eps) {
          first.push_back(r);
        } else if (nearEdge(r, axis) < cut - eps) {
          crossed = true;  // the cut runs through this rectangle
          break;
        } else {
          second.push_back(r);
        }
      }
      if (!budget.step(first.size() + second.size() + 1)) return std::nullopt;
      if (crossed || first.empty() || second.empty()) continue;

      const double ratio =
          axis == SplitAxis::vertical ? (cut - area.x) / area.width : (cut - area.y) / area.height;
      const auto [firstArea, secondArea] = LayoutNode::childRects(area, axis, ratio);
      auto firstTree = buildIn(first, firstArea, depth + 1, budget);
      if (budget.exhausted) return std::nullopt;
      if (!firstTree) continue;
      auto secondTree = buildIn(second, secondArea, depth + 1, budget);
      if (budget.exhausted) return std::nullopt;
      if (!secondTree) continue;
      return LayoutNode::split(axis, ratio, std::move(*firstTree), std::move(*secondTree));
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<LayoutNode> TilingShellFormat::build(const std::vector<TRect>& rects,
                                                   const TRect& area) {
  if (rects.size() > maxTiles) return std::nullopt;
  BuildBudget budget;
  return buildIn(rects, area, 1, budget);
}

namespace {

std::variant<std::vector<LayoutTemplate>, ImportError> importParsed(
    const std::optional<nlohmann::json>& json) {
  if (!json) return ImportError::invalidJSON();
  const auto layouts = decodeLayouts(*json);
  if (!layouts) return ImportError::invalidJSON();

  std::vector<LayoutTemplate> templates;
  templates.reserve(layouts->size());
  for (const auto& layout : *layouts) {
    std::vector<TRect> rects;
    rects.reserve(layout.tiles.size());
    for (const auto& tile : layout.tiles)
      rects.push_back({tile.x, tile.y, tile.width, tile.height});
    auto root = rects.empty() ? std::nullopt : TilingShellFormat::build(rects, {0, 0, 1, 1});
    if (!root) return ImportError::notGuillotine(layout.id);
    templates.push_back({Uuid::random(), layout.id, std::move(*root)});
  }
  return templates;
}

}  // namespace

std::variant<std::vector<LayoutTemplate>, ImportError> TilingShellFormat::importJSON(
    std::string_view bytes) {
  return importParsed(json_support::parse(bytes));
}

void to_json(nlohmann::json& json, const WindowLayoutBackup& backup) {
  json = nlohmann::json::object();
  json["format"] = backup.format;
  json["version"] = backup.version;
  json["templates"] = backup.templates;
  json["settings"] = backup.settings;
}

namespace {

std::optional<WindowLayoutBackup> decodeBackup(const nlohmann::json& json) {
  try {
    WindowLayoutBackup backup({}, {});
    backup.format = string(required(json, "format"));
    backup.version = integer(required(json, "version"));
    for (const auto& entry : array(required(json, "templates"))) {
      backup.templates.push_back(entry.get<LayoutTemplate>());
    }
    backup.settings = required(json, "settings").get<TilingSettings>();
    return backup;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> WindowLayoutBackup::encoded(std::string* error) const {
  if (auto reason = unsavableReason(templates, settings)) {
    if (error != nullptr) *error = std::move(*reason);
    return std::nullopt;
  }
  return json_support::encodePrettySorted(*this, error);
}

std::variant<WindowLayoutBackup::Contents, ImportError> WindowLayoutBackup::read(
    std::string_view bytes) {
  const auto json = json_support::parse(bytes);
  if (json) {
    if (auto backup = decodeBackup(*json); backup && backup->format == formatID) {
      return Contents::backup(std::move(*backup));
    }
  }
  auto imported = importParsed(json);  // the same bytes as a Tiling Shell file
  if (auto* error = std::get_if<ImportError>(&imported)) return std::move(*error);
  return Contents::templatesOnly(std::get<std::vector<LayoutTemplate>>(std::move(imported)));
}

}  // namespace tavorin

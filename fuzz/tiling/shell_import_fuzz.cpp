// Random bytes as a Tiling Shell layout file: the import never crashes or hangs, and every
// tree it builds can be saved and has one zone per tile.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "tiling/core/backup_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto result = tavorin::TilingShellFormat::importJSON(bytes);
  const auto* templates = std::get_if<std::vector<tavorin::LayoutTemplate>>(&result);
  if (templates == nullptr) return 0;
  const auto json = nlohmann::json::parse(bytes);
  const auto layouts = json.is_array() ? json : nlohmann::json::array({json});
  if (layouts.size() != templates->size()) __builtin_trap();
  for (std::size_t i = 0; i < templates->size(); ++i) {
    const auto& root = (*templates)[i].root;
    if (!root.canBeSaved()) __builtin_trap();
    if (static_cast<std::size_t>(root.zoneCount()) != layouts[i]["tiles"].size()) __builtin_trap();
  }
  return 0;
}

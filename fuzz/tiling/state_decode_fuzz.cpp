// Random bytes as the window layout state file: decoding never crashes, and whatever decodes
// is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tiling/core/templates.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto state = tavorin::decodeTilingState(bytes);
  if (!state) return 0;
  for (const auto& layout : state->templates) {
    // Touch the trees the way the program does on every drag.
    (void)layout.frames({0, 0, 1920, 1080}, state->settings.gap);
    (void)layout.root.dividers({0, 0, 1920, 1080});
  }
  const auto encoded = tavorin::encodeTilingState(*state);
  if (!encoded) return 0;  // for instance a name with invalid UTF-8 escapes: not saved
  const auto again = tavorin::decodeTilingState(*encoded);
  if (!again || !(*again == *state)) __builtin_trap();
  return 0;
}

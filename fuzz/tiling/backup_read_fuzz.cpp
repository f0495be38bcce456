// Random bytes as a backup file to restore: reading never crashes, and a backup that reads is
// written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tiling/core/backup_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto result = tavorin::WindowLayoutBackup::read(bytes);
  auto* contents = std::get_if<tavorin::WindowLayoutBackup::Contents>(&result);
  if (contents == nullptr) {
    (void)std::get<tavorin::TilingShellFormat::ImportError>(result).description();
    return 0;
  }
  for (const auto& layout : contents->templates()) {
    if (layout.root.depth() > tavorin::LayoutNode::maxDepth) __builtin_trap();
  }
  const auto* backup = contents->backup();
  if (backup == nullptr) return 0;
  const auto encoded = backup->encoded();
  if (!encoded) return 0;
  auto again = tavorin::WindowLayoutBackup::read(*encoded);
  auto* reread = std::get_if<tavorin::WindowLayoutBackup::Contents>(&again);
  if (reread == nullptr || reread->backup() == nullptr || !(*reread->backup() == *backup)) {
    __builtin_trap();
  }
  return 0;
}

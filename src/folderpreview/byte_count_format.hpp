#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavorin {

// A byte count the way file sizes are written (`NSByteCountFormatter`, file count style):
// decimal units, whole bytes below 1000 ("999 bytes"), then kB without decimals, MB with up to
// one and GB and above with up to two ("12 kB", "1.5 MB", "2.34 GB"), with the numbers and unit
// names of the language `localeCode` ("de", "pt-BR").
std::string formatByteCount(std::int64_t bytes, std::string_view localeCode);

}  // namespace tavorin

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// A colour in the sRGB colour space, each component 0…1.
struct SRGBColor {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  bool operator==(const SRGBColor&) const = default;

  // The platform's orange, used when a stored colour cannot be read.
  static SRGBColor systemOrange();

  // "RRGGBB" or "RRGGBBAA" in hexadecimal digits of either case, with one optional leading "#"
  // and white space around; nothing for any other text.
  static std::optional<SRGBColor> fromHex(std::string_view text);
  // "#RRGGBB", or "#RRGGBBAA" when the colour is not opaque (alpha below 0.999); upper-case
  // digits, components clamped to 0…1 and rounded half away from zero.
  std::string hexString() const;
};

}  // namespace tavorin

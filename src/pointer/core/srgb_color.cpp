#include "pointer/core/srgb_color.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tavorin {

namespace {

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

int byteOf(double component) {
  // Not a number counts as 0.
  const double clamped = std::isnan(component) ? 0.0 : std::clamp(component, 0.0, 1.0);
  return static_cast<int>(std::lround(clamped * 255.0));
}

}  // namespace

SRGBColor SRGBColor::systemOrange() {
  return {1.0, 149.0 / 255.0, 0.0, 1.0};
}

std::optional<SRGBColor> SRGBColor::fromHex(std::string_view text) {
  while (!text.empty() && isWhiteSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isWhiteSpace(text.back()))
    text.remove_suffix(1);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    const auto digit = hexDigit(c);
    if (!digit) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(*digit);
  }
  if (text.size() == 6) value = (value << 8) | 0xFF;
  const auto component = [value](int shift) { return ((value >> shift) & 0xFF) / 255.0; };
  return SRGBColor{component(24), component(16), component(8), component(0)};
}

std::string SRGBColor::hexString() const {
  char text[10];
  if (alpha < 0.999) {
    std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byteOf(red), byteOf(green), byteOf(blue),
                  byteOf(alpha));
  } else {
    std::snprintf(text, sizeof text, "#%02X%02X%02X", byteOf(red), byteOf(green), byteOf(blue));
  }
  return text;
}

}  // namespace tavorin

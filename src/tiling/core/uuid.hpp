#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// A 128-bit identifier in the standard 8-4-4-4-12 hexadecimal text form.
class Uuid {
 public:
  using Bytes = std::array<std::uint8_t, 16>;

  constexpr Uuid() = default;
  constexpr explicit Uuid(const Bytes& bytes) : bytes_(bytes) {}

  // A new random (version 4) identifier.
  static Uuid random();
  // Reads the 36-character text form in either case; nothing for anything else.
  static std::optional<Uuid> parse(std::string_view text);

  // The 36-character upper-case text form.
  std::string text() const;
  const Bytes& bytes() const { return bytes_; }

  auto operator<=>(const Uuid&) const = default;

 private:
  Bytes bytes_{};
};

}  // namespace tavorin

template <>
struct std::hash<tavorin::Uuid> {
  std::size_t operator()(const tavorin::Uuid& id) const noexcept;
};

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace tavorin {

// One argument of a printf-style template: a text, a whole number or a real number.
class FormatArg {
 public:
  using Value = std::variant<std::string, std::int64_t, double>;

  FormatArg(std::string text) : value_(std::move(text)) {}
  FormatArg(std::string_view text) : value_(std::string(text)) {}
  FormatArg(const char* text) : value_(std::string(text != nullptr ? text : "")) {}
  template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) FormatArg(T number)
      : value_(static_cast<std::int64_t>(number)) {}
  template <typename T>
  requires std::is_floating_point_v<T> FormatArg(T number) : value_(static_cast<double>(number)) {}

  const Value& value() const { return value_; }

 private:
  Value value_;
};

// Formats `templ` printf-style, writing numbers the way the language `localeCode` writes them.
// Conversions: %@ and %s (text), %d %i %u with l/ll/q/z length modifiers, %f %e %g with a
// precision, %x %X %o %c, %% — with flags, width, precision and positional forms ("%2$d").
// A conversion without a matching argument writes nothing; a malformed one is copied as it is.
std::string formatLocalized(std::string_view templ, std::span<const FormatArg> args,
                            std::string_view localeCode);

}  // namespace tavorin

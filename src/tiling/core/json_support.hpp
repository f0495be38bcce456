#pragma once

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Strict readers of JSON values for the decoders of this module. Every one throws
// `JsonDecodingError` on a value of the wrong kind, so a decoder reads like the document it
// expects and the caller catches once at the top of a document.
namespace tavorin::json_support {

struct JsonDecodingError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] inline void fail(std::string_view what) {
  throw JsonDecodingError(std::string(what));
}

inline const nlohmann::json& object(const nlohmann::json& json) {
  if (!json.is_object()) fail("expected an object");
  return json;
}

// A key that must be present (null counts as a value of the wrong kind for the reader).
inline const nlohmann::json& required(const nlohmann::json& json, std::string_view key) {
  const auto& obj = object(json);
  auto it = obj.find(key);
  if (it == obj.end()) fail("missing key \"" + std::string(key) + "\"");
  return *it;
}

// A key that may be absent; null reads as absent.
inline const nlohmann::json* optional(const nlohmann::json& json, std::string_view key) {
  const auto& obj = object(json);
  auto it = obj.find(key);
  if (it == obj.end() || it->is_null()) return nullptr;
  return &*it;
}

inline double number(const nlohmann::json& json) {
  if (!json.is_number()) fail("expected a number");
  return json.get<double>();
}

inline bool boolean(const nlohmann::json& json) {
  if (!json.is_boolean()) fail("expected a boolean");
  return json.get<bool>();
}

inline const std::string& string(const nlohmann::json& json) {
  if (!json.is_string()) fail("expected a string");
  return json.get_ref<const std::string&>();
}

inline const nlohmann::json& array(const nlohmann::json& json) {
  if (!json.is_array()) fail("expected an array");
  return json;
}

// A whole number; a real number is accepted only when it has no fraction and fits.
inline std::int64_t integer(const nlohmann::json& json) {
  if (json.is_number_unsigned()) {
    const auto value = json.get<std::uint64_t>();
    if (value > static_cast<std::uint64_t>(INT64_MAX)) fail("integer out of range");
    return static_cast<std::int64_t>(value);
  }
  if (json.is_number_integer()) return json.get<std::int64_t>();
  if (json.is_number_float()) {
    const double value = json.get<double>();
    if (value >= -9.2e18 && value <= 9.2e18 &&
        value == static_cast<double>(static_cast<std::int64_t>(value)))
      return static_cast<std::int64_t>(value);
  }
  fail("expected an integer");
}

inline std::uint32_t uint32(const nlohmann::json& json) {
  const std::int64_t value = integer(json);
  if (value < 0 || value > static_cast<std::int64_t>(UINT32_MAX))
    fail("expected a 32-bit unsigned");
  return static_cast<std::uint32_t>(value);
}

}  // namespace tavorin::json_support

namespace tavorin::json_support {

// Pretty-printed (two spaces) with keys sorted, as every document of this module is written.
// Nothing when the value cannot be encoded (invalid UTF-8 in a text); `error` then says why.
// The encoders themselves never throw: nlohmann leaks a value whose conversion throws
// half-way, so what JSON cannot hold is checked before encoding.
template <typename T>
std::optional<std::string> encodePrettySorted(const T& value, std::string* error) {
  try {
    nlohmann::json json;
    to_json(json, value);  // nlohmann's objects keep their keys sorted
    return json.dump(2);
  } catch (const std::exception& e) {
    if (error != nullptr) *error = e.what();
    return std::nullopt;
  }
}

// Parses a whole document; nothing for malformed JSON. Nesting is parsed without recursion,
// so any depth is safe here; the decoders bound what they accept.
inline std::optional<nlohmann::json> parse(std::string_view bytes) {
  auto json = nlohmann::json::parse(bytes, nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded()) return std::nullopt;
  return json;
}

}  // namespace tavorin::json_support

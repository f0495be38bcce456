#include "localization/format.hpp"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

namespace tavorin {

namespace {

struct Spec {
  bool leftAlign = false;
  bool plus = false;
  bool space = false;
  bool zeroPad = false;
  bool alternate = false;
  int width = -1;
  int precision = -1;
  char conversion = 0;
};

// ICU formatters are expensive to build and safe to share once built.
class NumberFormatters {
 public:
  std::string format(std::string_view localeCode, double value, int fractionDigits) {
    const auto* formatter = formatterFor(localeCode, fractionDigits);
    UErrorCode status = U_ZERO_ERROR;
    const auto formatted = formatter->formatDouble(value, status);
    std::string out;
    if (U_SUCCESS(status)) formatted.toString(status).toUTF8String(out);
    return out;
  }
  std::string format(std::string_view localeCode, std::int64_t value) {
    const auto* formatter = formatterFor(localeCode, 0);
    UErrorCode status = U_ZERO_ERROR;
    const auto formatted = formatter->formatInt(value, status);
    std::string out;
    if (U_SUCCESS(status)) formatted.toString(status).toUTF8String(out);
    return out;
  }

 private:
  const icu::number::LocalizedNumberFormatter* formatterFor(std::string_view localeCode,
                                                            int fractionDigits) {
    std::lock_guard lock(mutex_);
    auto key = std::make_pair(std::string(localeCode), fractionDigits);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      UErrorCode status = U_ZERO_ERROR;
      icu::Locale locale = icu::Locale::forLanguageTag(key.first, status);
      if (U_FAILURE(status)) locale = icu::Locale::getRoot();
      auto formatter = icu::number::NumberFormatter::withLocale(locale).precision(
          icu::number::Precision::fixedFraction(fractionDigits));
      it = cache_.emplace(std::move(key), std::move(formatter)).first;
    }
    return &it->second;
  }

  std::mutex mutex_;
  std::map<std::pair<std::string, int>, icu::number::LocalizedNumberFormatter> cache_;
};

NumberFormatters& numberFormatters() {
  static NumberFormatters formatters;
  return formatters;
}

std::optional<int> readNumber(std::string_view text, std::size_t& i) {
  std::size_t start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    ++i;
  if (i == start) return std::nullopt;
  int value = 0;
  if (std::from_chars(text.data() + start, text.data() + i, value).ec != std::errc()) {
    value = std::numeric_limits<int>::max();
  }
  return value;
}

std::int64_t asInteger(const FormatArg& arg) {
  return std::visit(
      [](const auto& v) -> std::int64_t {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          std::int64_t n = 0;
          std::from_chars(v.data(), v.data() + v.size(), n);
          return n;
        } else if constexpr (std::is_same_v<T, double>) {
          if (!std::isfinite(v)) return 0;
          if (v >= 9.2e18) return INT64_MAX;
          if (v <= -9.2e18) return INT64_MIN;
          return static_cast<std::int64_t>(v);
        } else {
          return v;
        }
      },
      arg.value());
}

double asReal(const FormatArg& arg) {
  return std::visit(
      [](const auto& v) -> double {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          double n = 0;
          std::from_chars(v.data(), v.data() + v.size(), n);
          return n;
        } else {
          return static_cast<double>(v);
        }
      },
      arg.value());
}

std::string asText(const FormatArg& arg) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, double>) {
          char buffer[64];
          auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
          return std::string(buffer, result.ptr);
        } else {
          return std::to_string(v);
        }
      },
      arg.value());
}

// Counts code points, so that padding lines up for non-ASCII texts.
std::size_t displayLength(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text)
    n += (c & 0xC0) != 0x80;
  return n;
}

std::string pad(std::string body, const Spec& spec, bool numeric) {
  if (spec.width < 0) return body;
  const std::size_t length = displayLength(body);
  const auto width = static_cast<std::size_t>(spec.width);
  if (length >= width) return body;
  const std::size_t fill = width - length;
  if (spec.leftAlign) return body + std::string(fill, ' ');
  if (spec.zeroPad && numeric) {
    // Zeros go between the sign and the digits.
    std::size_t signLength =
        (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
    return body.substr(0, signLength) + std::string(fill, '0') + body.substr(signLength);
  }
  return std::string(fill, ' ') + body;
}

std::string signed_(std::string digits, bool negative, const Spec& spec) {
  if (negative) return digits;  // the locale's own minus sign is already there
  if (spec.plus) digits.insert(0, 1, '+');
  if (spec.space && !spec.plus) digits.insert(0, 1, ' ');
  return digits;
}

std::string withCFormat(const Spec& spec, char conversion, auto value) {
  std::string format = "%";
  if (spec.alternate) format += '#';
  if (spec.precision >= 0) {
    format += '.';
    format += std::to_string(spec.precision);
  }
  if constexpr (std::is_same_v<decltype(value), long long>) format += "ll";
  format += conversion;
  char buffer[512];
  const int written = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
  if (written < 0) return {};
  return std::string(buffer,
                     std::min<std::size_t>(static_cast<std::size_t>(written), sizeof buffer - 1));
}

std::string convert(const Spec& spec, const FormatArg& arg, std::string_view localeCode) {
  switch (spec.conversion) {
    case '@':
    case 's': {
      std::string text = asText(arg);
      if (spec.precision >= 0 && static_cast<std::size_t>(spec.precision) < text.size()) {
        text.resize(static_cast<std::size_t>(spec.precision));
      }
      return pad(std::move(text), spec, false);
    }
    case 'd':
    case 'i':
    case 'u': {
      const std::int64_t n = asInteger(arg);
      return pad(signed_(numberFormatters().format(localeCode, n), n < 0, spec), spec, true);
    }
    case 'f':
    case 'F': {
      const double x = asReal(arg);
      if (!std::isfinite(x)) return pad(withCFormat(spec, 'f', x), spec, false);
      const int digits = spec.precision >= 0 ? std::min(spec.precision, 30) : 6;
      return pad(signed_(numberFormatters().format(localeCode, x, digits), std::signbit(x), spec),
                 spec, true);
    }
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      return pad(signed_(withCFormat(spec, spec.conversion, asReal(arg)), asReal(arg) < 0, spec),
                 spec, true);
    case 'x':
    case 'X':
    case 'o':
      return pad(withCFormat(spec, spec.conversion, static_cast<long long>(asInteger(arg))), spec,
                 true);
    case 'c': {
      const auto code = static_cast<std::uint32_t>(asInteger(arg));
      std::string out;
      if (code < 0x80) {
        out += static_cast<char>(code);
      } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      }
      return pad(std::move(out), spec, false);
    }
    default:
      return {};
  }
}

bool isConversion(char c) {
  static constexpr std::string_view kConversions = "@sdiufFeEgGaAxXoc";
  return kConversions.find(c) != std::string_view::npos;
}

}  // namespace

std::string formatLocalized(std::string_view templ, std::span<const FormatArg> args,
                            std::string_view localeCode) {
  std::string out;
  out.reserve(templ.size() + 16);
  std::size_t nextArg = 0;
  auto argument = [&](std::optional<int> position) -> const FormatArg* {
    const std::size_t index = position ? static_cast<std::size_t>(*position - 1) : nextArg++;
    return index < args.size() ? &args[index] : nullptr;
  };

  for (std::size_t i = 0; i < templ.size();) {
    if (templ[i] != '%') {
      out += templ[i++];
      continue;
    }
    const std::size_t start = i++;
    if (i < templ.size() && templ[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    Spec spec;
    std::optional<int> position;
    // "%2$d": a number followed by '$' names the argument.
    {
      std::size_t j = i;
      if (auto n = readNumber(templ, j); n && j < templ.size() && templ[j] == '$' && *n > 0) {
        position = *n;
        i = j + 1;
      }
    }
    for (; i < templ.size(); ++i) {
      const char c = templ[i];
      if (c == '-')
        spec.leftAlign = true;
      else if (c == '+')
        spec.plus = true;
      else if (c == ' ')
        spec.space = true;
      else if (c == '0')
        spec.zeroPad = true;
      else if (c == '#')
        spec.alternate = true;
      else if (c == '\'')
        continue;
      else
        break;
    }
    if (i < templ.size() && templ[i] == '*') {
      ++i;
      if (const auto* w = argument(std::nullopt)) {
        const auto width = asInteger(*w);
        spec.leftAlign |= width < 0;
        spec.width = static_cast<int>(width < 0 ? -std::max<std::int64_t>(width, -1000)
                                                : std::min<std::int64_t>(width, 1000));
      }
    } else if (auto width = readNumber(templ, i)) {
      spec.width = std::min(*width, 1000);
    }
    if (i < templ.size() && templ[i] == '.') {
      ++i;
      spec.precision = std::min(readNumber(templ, i).value_or(0), 1000);
    }
    while (i < templ.size() &&
           std::string_view("hlqLzjt").find(templ[i]) != std::string_view::npos) {
      ++i;
    }
    if (i >= templ.size() || !isConversion(templ[i])) {
      // Not a conversion: keep the text as written.
      out.append(templ.substr(start, i - start));
      continue;
    }
    spec.conversion = templ[i++];
    if (const auto* arg = argument(position)) out += convert(spec, *arg, localeCode);
  }
  return out;
}

}  // namespace tavorin

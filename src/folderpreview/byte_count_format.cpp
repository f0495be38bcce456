#include "folderpreview/byte_count_format.hpp"

#include <unicode/measunit.h>
#include <unicode/numberformatter.h>

#include <array>
#include <cmath>

namespace tavorin {
namespace {

struct Unit {
  icu::MeasureUnit (*make)();
  int fractionDigits;
};

std::string format(const icu::Locale& locale, const icu::MeasureUnit& unit, UNumberUnitWidth width,
                   double value, int fractionDigits) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString text =
      icu::number::NumberFormatter::withLocale(locale)
          .unit(unit)
          .unitWidth(width)
          .precision(icu::number::Precision::maxFraction(fractionDigits))
          .formatDouble(value, status)
          .toString(status);
  std::string utf8;
  if (U_SUCCESS(status)) text.toUTF8String(utf8);
  return utf8;
}

}  // namespace

std::string formatByteCount(std::int64_t bytes, std::string_view localeCode) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale locale = icu::Locale::forLanguageTag(
      icu::StringPiece(localeCode.data(), static_cast<int32_t>(localeCode.size())), status);
  if (U_FAILURE(status)) locale = icu::Locale::getEnglish();

  if (bytes < 1000) {
    const double count = static_cast<double>(bytes < 0 ? 0 : bytes);
    return format(locale, icu::MeasureUnit::getByte(), UNUM_UNIT_WIDTH_FULL_NAME, count, 0);
  }
  static const std::array<Unit, 5> units{{{&icu::MeasureUnit::getKilobyte, 0},
                                          {&icu::MeasureUnit::getMegabyte, 1},
                                          {&icu::MeasureUnit::getGigabyte, 2},
                                          {&icu::MeasureUnit::getTerabyte, 2},
                                          {&icu::MeasureUnit::getPetabyte, 2}}};
  double value = static_cast<double>(bytes) / 1000.0;
  std::size_t index = 0;
  for (;;) {
    // 999,999 bytes reads "1 MB", not "1,000 kB": move up once the rounded value reaches 1000.
    const double scale = std::pow(10.0, units[index].fractionDigits);
    const double rounded = std::round(value * scale) / scale;
    if (rounded < 1000.0 || index + 1 == units.size()) break;
    value /= 1000.0;
    ++index;
  }
  return format(locale, units[index].make(), UNUM_UNIT_WIDTH_SHORT, value,
                units[index].fractionDigits);
}

}  // namespace tavorin

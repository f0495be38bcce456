#include "ui/folderpreview/modified_date_format.hpp"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/udisplaycontext.h>

#include <map>
#include <memory>

namespace tavorin::ui {

namespace {

std::unique_ptr<icu::DateFormat> makeFormat(std::string_view localeCode) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale locale = icu::Locale::forLanguageTag(
      icu::StringPiece(localeCode.data(), static_cast<int32_t>(localeCode.size())), status);
  if (U_FAILURE(status)) locale = icu::Locale::getEnglish();
  std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
      icu::DateFormat::kMediumRelative, icu::DateFormat::kShort, locale));
  if (format) {
    // A cell of its own starts like a sentence: "Heute", "Aujourd’hui".
    UErrorCode contextStatus = U_ZERO_ERROR;
    format->setContext(UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, contextStatus);
  }
  return format;
}

// Formatters are costly to make and not safe to share between threads: one per language and
// thread.
icu::DateFormat* formatFor(std::string_view localeCode) {
  thread_local std::map<std::string, std::unique_ptr<icu::DateFormat>, std::less<>> formats;
  auto it = formats.find(localeCode);
  if (it == formats.end())
    it = formats.emplace(std::string(localeCode), makeFormat(localeCode)).first;
  return it->second.get();
}

}  // namespace

std::string formatModifiedDate(FileDate date, std::string_view localeCode) {
  icu::DateFormat* format = formatFor(localeCode);
  if (format == nullptr) return {};
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(date.time_since_epoch()).count();
  icu::UnicodeString text;
  format->format(static_cast<UDate>(milliseconds), text);
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

}  // namespace tavorin::ui

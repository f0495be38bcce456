#include "folderpreview/file_name_collator.hpp"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace tavorin {
namespace {

// Without collation data: case-insensitive byte order, which is at least stable.
std::string foldedBytes(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

}  // namespace

std::shared_ptr<const FileNameCollator> FileNameCollator::forLocale(std::string_view locale) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const FileNameCollator>, std::less<>> made;
  std::lock_guard lock(mutex);
  if (auto found = made.find(locale); found != made.end()) return found->second;
  auto collator = std::make_shared<const FileNameCollator>(locale);
  made.emplace(std::string(locale), collator);
  return collator;
}

std::string FileNameCollator::userLocale(const ProcessInfo& process) {
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    auto value = process.environment(variable);
    if (!value || value->empty()) continue;
    std::string locale = value->substr(0, value->find_first_of(".@"));
    if (locale == "C" || locale == "POSIX") return {};
    return locale;
  }
  return {};
}

FileNameCollator::FileNameCollator(std::string_view locale) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale icuLocale = locale.empty()
                                    ? icu::Locale::getRoot()
                                    : icu::Locale::createFromName(std::string(locale).c_str());
  std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icuLocale, status));
  if (U_FAILURE(status) || !collator) return;
  // Secondary strength: accents count, case does not.
  collator->setStrength(icu::Collator::SECONDARY);
  collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
  if (U_FAILURE(status)) return;
  collator_ = std::move(collator);
}

FileNameCollator::~FileNameCollator() = default;

int FileNameCollator::compare(std::string_view a, std::string_view b) const {
  if (!collator_) {
    const int order = foldedBytes(a).compare(foldedBytes(b));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  }
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult result =
      collator_->compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                             icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
  if (U_FAILURE(status)) return 0;
  return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

std::string FileNameCollator::sortKey(std::string_view text) const {
  if (!collator_) return foldedBytes(text);
  const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  std::string key(std::max<std::size_t>(32, text.size() * 3), '\0');
  for (;;) {
    const int32_t needed = collator_->getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()),
                                                 static_cast<int32_t>(key.size()));
    if (needed <= 0) return foldedBytes(text);
    if (static_cast<std::size_t>(needed) <= key.size()) {
      key.resize(static_cast<std::size_t>(needed) - 1);  // without the closing zero byte
      return key;
    }
    key.resize(static_cast<std::size_t>(needed));
  }
}

}  // namespace tavorin

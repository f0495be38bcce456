#pragma once

#include <unicode/uversion.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/process_info.hpp"

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace tavorin {

// The order a file manager shows names in: the rules of the user's locale, letters compared
// without regard to case, runs of digits by their numeric value ("File 9" before "File 10").
// Immutable once made and safe to share between threads.
class FileNameCollator {
 public:
  // The collator of `locale` ("de_DE", "sv", "" for the root rules), made once per locale and
  // then shared.
  static std::shared_ptr<const FileNameCollator> forLocale(std::string_view locale);

  // The locale the user sorts text in: the first set of LC_ALL, LC_COLLATE and LANG, without
  // its encoding and modifier ("de_DE.UTF-8@euro" gives "de_DE"); "C" and "POSIX" give "".
  static std::string userLocale(const ProcessInfo& process);

  explicit FileNameCollator(std::string_view locale);
  ~FileNameCollator();
  FileNameCollator(const FileNameCollator&) = delete;
  FileNameCollator& operator=(const FileNameCollator&) = delete;

  // Negative, zero or positive as `a` orders before, with or after `b`.
  int compare(std::string_view a, std::string_view b) const;

  // Bytes whose plain byte order is the order of `compare`, for sorting many texts fast.
  std::string sortKey(std::string_view text) const;

 private:
  std::unique_ptr<icu::Collator> collator_;
};

}  // namespace tavorin

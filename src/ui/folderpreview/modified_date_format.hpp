#pragma once

#include <string>
#include <string_view>

#include "folderpreview/folder_item.hpp"

namespace tavorin::ui {

// A modification date as the preview's date column writes it: medium date and short time in
// the language `localeCode` ("de", "pt-BR"), with today and yesterday named instead of dated
// ("Today, 10:26 AM", "Heute, 10:26"). Safe on any thread.
std::string formatModifiedDate(FileDate date, std::string_view localeCode);

}  // namespace tavorin::ui

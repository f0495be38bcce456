#pragma once

#include <string>
#include <string_view>

namespace tavorin {

// `text` in capitals by the rules of the language `languageTag` ("tr" writes "i" as "İ").
std::string upperCased(std::string_view text, std::string_view languageTag);

}  // namespace tavorin

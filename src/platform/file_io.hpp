#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// Reads a whole file; nothing when it cannot be opened.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Replaces `path` with `contents` so that a reader sees either the old or the new file, never a
// torn one: a temporary file beside it is written, flushed to disk and renamed over it. Missing
// parent folders are created. On failure returns false, leaves the old file untouched and
// describes the failure in `error`.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::string* error = nullptr);

// Renames an unreadable file out of the way, to "<path><suffix>" or, when that exists,
// "<path><suffix>.1", "<path><suffix>.2", ... Returns the new name, or nothing on failure.
std::optional<std::filesystem::path> moveAside(const std::filesystem::path& path,
                                               std::string_view suffix = ".corrupt");

}  // namespace tavorin

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ox::platform {

// The program keeps paths that come from users (options, messages) as UTF-8
// text. On Windows a narrow path string would be read in the ANSI code page,
// losing every character outside it; these convert through UTF-8 on every
// system, so a path with any characters survives the round trip.
std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace ox::platform

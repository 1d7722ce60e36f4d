// The one place where the form's UTF-8 text meets the wide (UTF-16) text of the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace tuneworks {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tuneworks

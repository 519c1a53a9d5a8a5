#pragma once

#include <string>
#include <string_view>

// The layer speaks UTF-8, the W calls UTF-16.
namespace WideText {

std::wstring from(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);

} // namespace WideText

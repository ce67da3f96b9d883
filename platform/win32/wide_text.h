#pragma once
// Text between the program's code page 852 and the system's UTF-16, through the
// program's own code page table, so that the result does not depend on the code
// pages the system is set to.
#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring WideOf(std::string_view cp852Text);
// A character the code page lacks, or a lone surrogate, becomes "?".
std::string Cp852Of(std::wstring_view wideText);

}  // namespace platform::win32

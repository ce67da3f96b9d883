#pragma once
// The system's text clipboard in code page 852. The text goes in both as OEM text
// (code page 852 bytes) and as Unicode made through the program's own table, so
// that other programs paste the right letters whatever the clipboard's locale says;
// it is read back from the Unicode form where there is one.
#include <string>
#include <string_view>

namespace platform::win32::clipboard {

bool Available();
bool Read(std::string& text);
bool Write(std::string_view text);

}  // namespace platform::win32::clipboard

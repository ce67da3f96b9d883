#pragma once
// How text files written by the program end their lines: the platform's own
// convention. Readers accept both LF and CR LF, since data trees travel between
// platforms.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

#ifdef _WIN32
inline constexpr std::string_view kTextLineEnd = "\r\n";
#else
inline constexpr std::string_view kTextLineEnd = "\n";
#endif

// The program's own small text files (the path file, the list file) hold the
// platform's text, as its editors write it: UTF-8 on POSIX systems, code page 852 on
// Windows. Inside the program all text is code page 852.
// The lines read from such a file, in code page 852: on POSIX a file whose bytes are
// all valid UTF-8 is taken as UTF-8, any other (one written by the Windows build or
// an older program) as code page 852.
std::vector<std::string> TextFileLinesIn(std::vector<std::string> lines);
// A line of code page 852 text as such a file holds it.
std::string TextFileLineOut(std::string_view line);

}  // namespace platform

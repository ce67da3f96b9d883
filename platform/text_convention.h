#pragma once
// How text files written by the program end their lines: the platform's own
// convention. Readers accept both LF and CR LF, since data trees travel between
// platforms.
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr std::string_view kTextLineEnd = "\r\n";
#else
inline constexpr std::string_view kTextLineEnd = "\n";
#endif

}  // namespace platform

#pragma once
// The reason of a failed file operation in the user's words. The platform layer
// keeps the home error number of the last operation the system refused
// (platform::LastFailure); a message about a failure adds the reason on a line of
// its own after its own text. Texts are code page 852, short enough for a box.
#include <string>
#include <string_view>

namespace tui {

// How a reason line begins.
inline constexpr std::string_view kReasonStart = "Przyczyna: ";

// The words for a home error number ("odmowa dostępu"); empty for a number not in
// the table.
std::string_view FailureWords(int homeError);
// "Przyczyna: " and the words, or the bare number when the table has no words for it.
std::string FailureReason(int homeError);
// The reason line of the last recorded failure, which is then forgotten; empty when
// none was recorded.
std::string TakeFailureReason();
// A box text with the reason of the last recorded failure as its last, centred line.
std::string WithFailureReason(std::string boxText);

}  // namespace tui

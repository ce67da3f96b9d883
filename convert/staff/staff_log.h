#pragma once
// What the staff converters write into the progress log and ask there.
#include <string_view>

#include "convert/staff/person_keys.h"

namespace convert {

// label in colour 8, then both name parts joined by a blank in colour 15, without
// ending the line; the colour then returns to 7. When a question about the person
// follows on the line (asks), the work due before a question is done first, so that
// what it writes stands above the person's line.
void LogPersonName(std::string_view label, std::string_view first, std::string_view second, bool asks);
// Writes the prompt in colour 10 without ending the line and reads keys until one of
// letters (upper-case) arrives, taking lower-case letters as upper-case. Returns it.
char AskLetter(std::string_view prompt, std::string_view letters);
// When more persons were carried than the person key table holds, writes the warning
// and waits for a key: the record at hand may belong to a person who cannot be found.
void WarnWhenPersonKeysOverflow(const PersonKeys& keys, std::string_view warning);

}  // namespace convert

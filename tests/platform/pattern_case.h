#pragma once
// One case of the wildcard tables: a pattern, a name, and whether the name fits it.
// Shared by the tables that every system runs and those of names on a POSIX disk.
#include <ostream>

namespace {

struct PatternCase {
    const char* pattern;
    const char* name;
    bool fits;
};

std::ostream& operator<<(std::ostream& out, const PatternCase& c) {
    return out << '"' << c.pattern << "\" against \"" << c.name << '"';
}

}  // namespace

#pragma once
// Names read from data files that become parts of paths: a firm's directory from the
// registry, the entries of the list of extra files, the asset registers of
// stbazy.rek. Such a name must name one entry inside its directory; a name that
// climbs out of it or names another drive would let a damaged file make the
// conversion read or write outside the two data roots.
#include <string_view>

namespace convert {

// True for a name that stays inside its directory on every platform the data may
// come from: not empty, not made of dots and blanks only (".", "..", and what the
// home platform trims to them), no control byte, no path separator of either
// platform ("/", "\"), no drive colon, no wildcard ("*", "?") and none of the
// characters the home platform refuses in names (<, >, |, ").
bool IsPlainFileName(std::string_view name);

}  // namespace convert

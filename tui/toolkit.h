#pragma once
// Start-up of the text-mode toolkit, called once before the main flow.
#include <string>
#include <string_view>

namespace tui {

// The screen layer in its start-up state, the colour scheme from the program's
// directory (and the dialog controls' colours from it), the sound switch from the
// environment.
void InitToolkit();

// The directory part of a path, up to and including its last separator (empty when
// it has none).
std::string DirectoryOf(std::string_view path);

}  // namespace tui

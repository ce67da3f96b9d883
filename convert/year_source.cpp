#include "convert/year_source.h"

namespace convert {

namespace {
bool gYear2024Source = false;
}  // namespace

void SetYear2024Source(bool on) { gYear2024Source = on; }
bool Year2024Source() { return gYear2024Source; }

}  // namespace convert

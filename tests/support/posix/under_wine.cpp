#include "tests/support/program_test.h"

namespace qztest {

bool underWine() { return false; }

}  // namespace qztest

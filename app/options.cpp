#include "app/options.h"

namespace app {

Options& options() {
    static Options runOptions;
    return runOptions;
}

}  // namespace app

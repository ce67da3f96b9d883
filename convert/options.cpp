#include "convert/options.h"

namespace convert {

Options& options() {
    static Options runOptions;
    return runOptions;
}

}  // namespace convert

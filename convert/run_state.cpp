#include "convert/run_state.h"

namespace convert {

RunState& TheRunState() {
    static RunState state;
    return state;
}

}  // namespace convert

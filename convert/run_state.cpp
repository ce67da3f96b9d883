#include "convert/run_state.h"

namespace convert {

RunState& runState() {
    static RunState state;
    return state;
}

}  // namespace convert

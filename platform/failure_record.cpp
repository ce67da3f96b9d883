#include "platform/failure_record.h"

#include "platform/files.h"

namespace platform {

namespace {
// The process's last refusal, as the home platform's extended error: a message far
// from the failed call asks for it.
int gLastFailure = err::Ok;
}  // namespace

int NoteFailure(int error) {
    gLastFailure = error;
    return error;
}

int LastFailure() { return gLastFailure; }

void ForgetFailure() { gLastFailure = err::Ok; }

}  // namespace platform

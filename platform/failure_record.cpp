#include "platform/failure_record.h"

#include "platform/files.h"

namespace platform {

namespace {
int gLastFailure = err::Ok;
}  // namespace

int noteFailure(int error) {
    gLastFailure = error;
    return error;
}

int lastFailure() { return gLastFailure; }

void forgetFailure() { gLastFailure = err::Ok; }

}  // namespace platform

#pragma once
// Child processes for tests of what other programs on the same files see: a child
// runs a function and ends with its result, and pipes let the test and the child
// wait for each other.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace qztest {

// One direction of talk between the test and a child process. Each side closes the
// end it does not use, so a side that goes away is seen as the end of the talk.
class Pipe {
public:
    Pipe() { EXPECT_EQ(pipe(ends_), 0); }
    ~Pipe() {
        for (const int end : ends_)
            if (end >= 0) close(end);
    }
    void UseForWriting() { CloseEnd(0); }
    void UseForReading() { CloseEnd(1); }
    void Send(char c) { EXPECT_EQ(write(ends_[1], &c, 1), 1); }
    // The next byte; 0 when the other side has closed its end.
    char Receive() {
        char c = 0;
        return read(ends_[0], &c, 1) == 1 ? c : 0;
    }
    void CloseEnd(int which) {
        if (ends_[which] >= 0) close(ends_[which]);
        ends_[which] = -1;
    }

private:
    int ends_[2] = {-1, -1};
};

// Runs body in a child process that ends with body's result as its exit code.
inline pid_t Spawn(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    return pid;
}

inline int ExitCodeOf(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace qztest

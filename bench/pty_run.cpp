// Runs a program in a pseudo-terminal of 80x25 and plays a script against it: wait
// for a text to appear in what the program writes, then send keys. Reports the
// program's wall time, its peak resident memory (from wait4) and the bytes it wrote
// to the terminal, one "name=value" a line, for bench/run.
//
// Usage: qz-pty-run [--timeout S] [--wait TEXT | --send KEY]... -- PROGRAM [ARGS...]
// KEY is PgDn, PgUp, F5, Enter, Esc or plain text. A wait looks only at what the
// program wrote after the text of the wait before it, so one screen's words do not
// satisfy the next wait.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Step {
    bool wait;  // wait for text, else send it
    std::string text;
};

std::string keyBytes(std::string_view key) {
    if (key == "PgDn") return "\x1B[6~";
    if (key == "PgUp") return "\x1B[5~";
    if (key == "F5") return "\x1B[15~";
    if (key == "Enter") return "\r";
    if (key == "Esc") return "\x1B";
    return std::string(key);
}

using Clock = std::chrono::steady_clock;

int usage() {
    std::fputs("usage: qz-pty-run [--timeout S] [--wait TEXT | --send KEY]... -- PROGRAM [ARGS...]\n", stderr);
    return 2;
}

// Everything the program wrote, and how far the waits have looked.
struct Output {
    std::string text;
    std::size_t searched = 0;
    std::uint64_t bytes = 0;
};

// Reads what the master side has within timeoutMs; false at the end of the
// program's terminal (EIO once the last slave descriptor is closed).
bool readSome(int master, Output& out, int timeoutMs) {
    pollfd fd{master, POLLIN, 0};
    const int ready = poll(&fd, 1, timeoutMs);
    if (ready < 0) return errno == EINTR;
    if (ready == 0) return true;
    char buffer[65536];
    const ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got > 0) {
        out.bytes += static_cast<std::uint64_t>(got);
        out.text.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
    return got < 0 && (errno == EINTR || errno == EAGAIN);
}

void sendAll(int master, const std::string& bytes) {
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t written = ::write(master, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Shows the tail of the output with control bytes made visible, for a failed wait.
void showTail(const Output& out) {
    const std::size_t from = out.text.size() > 2000 ? out.text.size() - 2000 : 0;
    std::string shown;
    for (char c : out.text.substr(from)) shown += c == '\x1B' ? std::string("^[") : std::string(1, c);
    std::fprintf(stderr, "--- last output ---\n%s\n---\n", shown.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Step> steps;
    int timeoutSeconds = 600;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) return usage();
        if (arg == "--wait") steps.push_back({true, argv[++i]});
        else if (arg == "--send") steps.push_back({false, keyBytes(argv[++i])});
        else if (arg == "--timeout") timeoutSeconds = std::atoi(argv[++i]);
        else return usage();
    }
    if (i >= argc || timeoutSeconds <= 0) return usage();

    winsize size{};
    size.ws_row = 25;
    size.ws_col = 80;
    int master = -1;
    const auto started = Clock::now();
    const pid_t child = forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) {
        std::perror("forkpty");
        return 2;
    }
    if (child == 0) {
        setenv("TERM", "xterm-256color", 1);
        execvp(argv[i], argv + i);
        std::perror("exec");
        _exit(127);
    }

    const auto deadline = started + std::chrono::seconds(timeoutSeconds);
    Output out;
    bool open = true;
    bool timedOut = false;
    for (const Step& step : steps) {
        if (!step.wait) {
            sendAll(master, step.text);
            continue;
        }
        for (;;) {
            const std::size_t found = out.text.find(step.text, out.searched);
            if (found != std::string::npos) {
                out.searched = found + step.text.size();
                break;
            }
            if (!open || Clock::now() > deadline) {
                std::fprintf(stderr, "qz-pty-run: never shown: %s\n", step.text.c_str());
                showTail(out);
                timedOut = true;
                break;
            }
            open = readSome(master, out, 100);
        }
        if (timedOut) break;
    }
    if (timedOut) kill(child, SIGKILL);
    // The program may still be drawing its last screen: read until it closes the
    // terminal, so that it never blocks on a full one.
    while (open && Clock::now() <= deadline) open = readSome(master, out, 100);
    int status = 0;
    rusage usage{};
    if (open) kill(child, SIGKILL);
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const double wall = std::chrono::duration<double>(Clock::now() - started).count();
    close(master);

    std::printf("wall_seconds=%.3f\n", wall);
    std::printf("max_rss_kib=%ld\n", usage.ru_maxrss);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    std::printf("processor_seconds=%.3f\n", seconds(usage.ru_utime) + seconds(usage.ru_stime));
    std::printf("terminal_bytes=%llu\n", static_cast<unsigned long long>(out.bytes));
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("exit_code=%d\n", code);
    return timedOut || open ? 3 : code;
}

// The terminal console in a real pseudo-terminal: what it sends to the terminal,
// the keys it decodes from what the terminal sends, and the terminal given back on
// the ways out of the program. The program side runs in a child process on the
// pseudo-terminal; it reports through a pipe.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/cp852.h"
#include "platform/console.h"
#include "platform/posix/terminal_console.h"
#include "platform/process.h"
#include "platform/startup.h"

namespace {

using namespace platform::literals;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kMouseOff = "\x1B[?1000l";
constexpr std::string_view kAlternateScreenOff = "\x1B[?1049l";

class PtyChild {
public:
    // Runs body in a child process whose terminal is a new pseudo-terminal of the
    // given size; body writes its reports to the descriptor it gets.
    bool spawn(int columns, int rows, const std::function<void(int report)>& body) {
        int reportPipe[2];
        if (pipe(reportPipe) != 0) return false;
        winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
        pid_ = forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            close(reportPipe[0]);
            setenv("TERM", "xterm-256color", 1);
            body(reportPipe[1]);
            _exit(0);
        }
        close(reportPipe[1]);
        report_ = reportPipe[0];
        return true;
    }

    ~PtyChild() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) close(master_);
        if (report_ >= 0) close(report_);
    }

    // Reads the terminal's output and the reports until what holds, or a timeout.
    bool waitFor(const std::function<bool()>& what, int timeoutMs = 10000) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!what()) {
            if (Clock::now() > deadline) return false;
            readSome(50);
        }
        return true;
    }
    bool waitForReport(std::string_view text) {
        return waitFor([&] { return reports_.find(text) != std::string::npos; });
    }
    bool waitForScreen(std::string_view text) {
        return waitFor([&] { return output_.find(text) != std::string::npos; });
    }

    void type(std::string_view bytes) const { ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    void resize(int columns, int rows) const {
        winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
        ioctl(master_, TIOCSWINSZ, &size);
    }
    pid_t pid() const { return pid_; }

    // Reads everything until the child ends; returns its wait status.
    int finish() {
        int status = 0;
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            readSome(20);
        }
        exited_ = true;
        while (readSome(0)) {
        }
        return status;
    }

    const std::string& output() const { return output_; }
    const std::string& reports() const { return reports_; }

private:
    // Reads what is there within timeoutMs; false when nothing came.
    bool readSome(int timeoutMs) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {report_, POLLIN, 0}};
        if (poll(fds, 2, timeoutMs) <= 0) return false;
        bool got = false;
        char buffer[4096];
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) output_.append(buffer, static_cast<std::size_t>(n)), got = true;
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(report_, buffer, sizeof buffer);
            if (n > 0) reports_.append(buffer, static_cast<std::size_t>(n)), got = true;
        }
        return got;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    int report_ = -1;
    bool exited_ = false;
    std::string output_;
    std::string reports_;
};

// In the child: reads keys until count have come or a few seconds have passed, and
// reports each as "key code/shift".
void reportKeys(int report, std::size_t count) {
    const auto deadline = Clock::now() + std::chrono::seconds(8);
    std::size_t seen = 0;
    while (seen < count && Clock::now() < deadline) {
        while (const auto key = platform::InstalledConsole().ReadKey()) {
            dprintf(report, "key %04X/%02X\n", key->code, key->shiftState);
            ++seen;
        }
        usleep(5000);
    }
}

#define START_OR_SKIP(child, columns, rows, body)                                            \
    do {                                                                                     \
        if (!(child).spawn(columns, rows, body)) GTEST_SKIP() << "no pseudo-terminals here"; \
    } while (0)

TEST(TerminalInPty, ShowsCellsAsUtf8AndDecodesTheKeysTyped) {
    PtyChild child;
    START_OR_SKIP(child, 80, 25, [](int report) {
        if (!platform::StartPlatform()) _exit(3);
        platform::Console& screen = platform::InstalledConsole();
        screen.Write(1, 1, "┌─┐ ║"_cp, 0x1F);
        screen.Write(1, 2, "żółć ŁÓDŹ"_cp, 0x4E);  // yellow on red
        screen.Write(1, 3, std::string_view("\x01\x07\x1B\x7F\x00", 5), 0xE0);  // black on yellow
        screen.Flush();
        const auto& terminal = static_cast<platform::posix::TerminalConsole&>(screen);
        const int first = terminal.CellsSent();
        screen.Write(1, 1, "┌"_cp, 0x1F);  // unchanged
        screen.Write(5, 25, "x", 0x07);
        screen.Flush();
        dprintf(report, "sent %d then %d\n", first, terminal.CellsSent() - first);
        reportKeys(report, 9);
        platform::StopPlatform();
    });
    ASSERT_TRUE(child.waitForReport("sent")) << child.reports();
    EXPECT_NE(child.reports().find("sent 2000 then 1\n"), std::string::npos)
        << "the whole screen once, then only the changed cell: " << child.reports();

    child.type("\x1B");  // Esc alone: the next bytes come after the timeout
    usleep(200 * 1000);
    // F5, PgDn, Alt+s, "ż", then Ctrl+C, Ctrl+Z, Ctrl+S and Ctrl+Q, which a terminal
    // not in raw mode would take as signals and flow control.
    child.type("\x1B[15~\x1B[6~\x1Bs\xC5\xBC\x03\x1A\x13\x11");
    ASSERT_TRUE(child.waitFor([&] { return child.reports().find("key 1011") != std::string::npos; }))
        << child.reports();
    const int status = child.finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    EXPECT_NE(child.reports().find("key 011B/20\nkey 3F00/20\nkey 5100/20\nkey 1F00/28\nkey 2CBE/20\n"
                                     "key 2E03/24\nkey 2C1A/24\nkey 1F13/24\nkey 1011/24\n"),
              std::string::npos)
        << child.reports();
    const std::string& out = child.output();
    EXPECT_NE(out.find("┌─┐ ║"), std::string::npos);
    EXPECT_NE(out.find("żółć ŁÓDŹ"), std::string::npos);
    EXPECT_NE(out.find("☺•←⌂ "), std::string::npos) << "control bytes as the console's glyphs";
    EXPECT_EQ(out.find('\x01'), std::string::npos) << "never a raw control byte";
    EXPECT_EQ(out.find('\x7F'), std::string::npos);
    EXPECT_EQ(out.find('\x07'), std::string::npos);
    // PC yellow (14) is the terminal's bright yellow (93), PC red (4) its red (41),
    // and a bright background is a bright background (103).
    EXPECT_NE(out.find("93"), std::string::npos);
    EXPECT_NE(out.find("41m"), std::string::npos);
    EXPECT_NE(out.find("103m"), std::string::npos);
    EXPECT_NE(out.find("\x1B[?1006h"), std::string::npos) << "mouse reports asked for";
    EXPECT_NE(out.rfind(kMouseOff), std::string::npos) << "and switched off at the end";
    EXPECT_NE(out.find("\x1B[>4;2m\x1B[>1u"), std::string::npos) << "keys with Ctrl told apart";
    EXPECT_NE(out.rfind("\x1B[<u\x1B[>4m"), std::string::npos) << "and no longer at the end";
    EXPECT_NE(out.rfind(kAlternateScreenOff), std::string::npos);
}

TEST(TerminalInPty, MouseClicksArriveAsReports) {
    PtyChild child;
    START_OR_SKIP(child, 100, 30, [](int report) {
        if (!platform::StartPlatform()) _exit(3);
        dprintf(report, "ready\n");
        const auto deadline = Clock::now() + std::chrono::seconds(8);
        int seen = 0;
        while (seen < 2 && Clock::now() < deadline) {
            while (const auto mouse = platform::InstalledConsole().ReadMouse()) {
                dprintf(report, "mouse %u %d,%d\n", mouse->buttons, mouse->column, mouse->row);
                ++seen;
            }
            usleep(5000);
        }
        platform::StopPlatform();
    });
    ASSERT_TRUE(child.waitForReport("ready"));
    // A click beyond the program's 80×25 (the terminal is larger) is not reported.
    child.type("\x1B[<0;90;5M\x1B[<0;90;5m\x1B[<2;80;25M\x1B[<2;80;25m");
    child.finish();
    EXPECT_EQ(child.reports(), "ready\nmouse 2 80,25\nmouse 0 80,25\n");
}

TEST(TerminalInPty, SmallTerminalWaitsUntilEnlarged) {
    PtyChild child;
    START_OR_SKIP(child, 60, 20, [](int report) {
        if (!platform::StartPlatform()) _exit(3);
        dprintf(report, "started\n");
        platform::StopPlatform();
    });
    ASSERT_TRUE(child.waitForScreen("Program potrzebuje co najmniej 80×25.")) << child.output();
    EXPECT_NE(child.output().find("60×20"), std::string::npos);
    usleep(300 * 1000);
    EXPECT_EQ(child.reports(), "") << "still waiting";
    child.resize(80, 25);
    EXPECT_TRUE(child.waitForReport("started"));
    child.finish();
}

TEST(TerminalInPty, CursorFormAndTitle) {
    PtyChild child;
    START_OR_SKIP(child, 80, 25, [](int) {
        if (!platform::StartPlatform()) _exit(3);
        platform::Console& screen = platform::InstalledConsole();
        screen.SetTitle("Błąd\x07\x1B]2;x"_cp);
        screen.SetCursor(10, 5);
        for (const auto shape : {platform::CursorShape::BottomHalf, platform::CursorShape::Hidden,
                                 platform::CursorShape::BottomFifth}) {
            screen.SetCursorShape(shape);
            screen.Flush();
        }
        platform::StopPlatform();
    });
    child.finish();
    const std::string& out = child.output();
    EXPECT_NE(out.find("\x1B]2;Błąd]2;x\a"), std::string::npos) << "control bytes left out of the title";
    EXPECT_NE(out.find("\x1B[5;10H"), std::string::npos) << "cursor at column 10, row 5";
    const std::size_t tall = out.find("\x1B[1 q");
    ASSERT_NE(tall, std::string::npos) << "a block for the tall cursor";
    const std::size_t hidden = out.find("\x1B[?25l", tall);
    ASSERT_NE(hidden, std::string::npos) << "then hidden";
    EXPECT_NE(out.find("\x1B[3 q", hidden), std::string::npos) << "then an underline for the low one";
}

TEST(TerminalInPty, LeavingMainGivesTheTerminalBack) {
    PtyChild child;
    START_OR_SKIP(child, 80, 25, [](int) {
        if (!platform::StartPlatform()) _exit(3);
        std::exit(0);  // as returning from main does
    });
    const int status = child.finish();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(child.output().rfind(kMouseOff), std::string::npos);
    EXPECT_NE(child.output().rfind(kAlternateScreenOff), std::string::npos);
}

TEST(TerminalInPty, FatalStopGivesTheTerminalBack) {
    PtyChild child;
    START_OR_SKIP(child, 80, 25, [](int) {
        if (!platform::StartPlatform()) _exit(3);
        platform::InstalledConsole().Write(1, 1, "x", 0x07);
        platform::InstalledConsole().Flush();
        platform::ExitProgram(7);
    });
    const int status = child.finish();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_NE(child.output().rfind(kMouseOff), std::string::npos);
    EXPECT_NE(child.output().rfind(kAlternateScreenOff), std::string::npos);
}

TEST(TerminalInPty, SignalsGiveTheTerminalBack) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGSEGV}) {
        PtyChild child;
        START_OR_SKIP(child, 80, 25, [](int report) {
            if (!platform::StartPlatform()) _exit(3);
            dprintf(report, "ready\n");
            for (;;) pause();
        });
        ASSERT_TRUE(child.waitForReport("ready"));
        const std::size_t before = child.output().size();
        kill(child.pid(), signal);
        const int status = child.finish();
        EXPECT_TRUE(WIFSIGNALED(status) || WIFEXITED(status)) << "signal " << signal;
        const std::string after = child.output().substr(before);
        EXPECT_NE(after.find(kMouseOff), std::string::npos) << "signal " << signal;
        EXPECT_NE(after.find(kAlternateScreenOff), std::string::npos) << "signal " << signal;
    }
}

}  // namespace

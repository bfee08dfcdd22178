// Runs a program on a pseudo-terminal of 80 x 25 as its controlling terminal
// and plays the terminal: writes the bytes a keyboard sends, reads what the
// program shows, sends signals, hangs up, and reports how the program ended.
// Every wait has a timeout, so a faulty program fails a test, never hangs it.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <string>
#include <string_view>
#include <vector>

namespace pty {

// Generous guard against hangs; no test depends on how fast anything is.
constexpr int HANG_GUARD_MS = 10000;

// How a program ended: by exit (status) or by a signal, or not within the wait.
struct Ending {
    bool ended = false;
    bool exited = false;
    int status = -1;
    int signal = 0;
};

// Path of the real program.
std::string freelattice_path();

class Session {
public:
    struct Options {
        std::string program = freelattice_path();
        std::vector<std::string> args;
        bool ignore_sighup = false;  // as under nohup
    };

    explicit Session(Options options);
    Session() : Session(Options()) {}
    ~Session();  // kills a program still running
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // Writes bytes as the terminal sends them, all in one write.
    bool write(std::string_view bytes);
    // A lone ESC: the byte, then a pause far longer than any ESC wait.
    bool write_lone_escape();
    static void pause(int ms);

    // Attributes of the terminal as the program currently has them, and as
    // they were before it started.
    termios attributes() const;
    const termios &initial_attributes() const { return initial_; }
    static bool same_attributes(const termios &a, const termios &b);
    // Waits until the program has switched input to raw (no ICANON, no ECHO),
    // or until the attributes are back to the initial ones.
    bool wait_until_raw(int timeout_ms = HANG_GUARD_MS);
    bool wait_until_restored(int timeout_ms = HANG_GUARD_MS);

    // Reads what the program shows until text appears in the whole output.
    bool read_until(std::string_view text, int timeout_ms = HANG_GUARD_MS);
    // Everything the program has shown so far, as raw bytes.
    const std::string &output() const { return output_; }

    bool send_signal(int sig);
    // Closes the terminal's master side: the program's terminal hangs up.
    void close_master();
    // Waits for the program to end, reading its output meanwhile.
    Ending wait_exit(int timeout_ms = HANG_GUARD_MS);

private:
    void drain(int wait_ms);

    pid_t pid_ = -1;
    int master_ = -1;
    int slave_ = -1;  // kept open so the attributes stay readable after the end
    termios initial_{};
    std::string output_;
    bool reaped_ = false;
    Ending ending_;
};

// Result of a run with no terminal at all.
struct DetachedRun {
    Ending ending;
    std::string standard_output;
    std::string standard_error;
};

// Runs program in a new session without a controlling terminal, standard
// input /dev/null, both output streams captured.
DetachedRun run_without_terminal(const std::string &program,
                                 const std::vector<std::string> &args,
                                 int timeout_ms = HANG_GUARD_MS);

}  // namespace pty

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
        // Standard output or error sent to this file instead of the terminal
        // (created or truncated); empty keeps the terminal.
        std::string stdout_path;
        std::string stderr_path;
        // Standard output a pipe (when no stdout_path): read by the test
        // through stdout_pipe(), or with its reader gone from the start.
        enum class Pipe { NONE, READ_BY_TEST, WITHOUT_READER };
        Pipe stdout_pipe = Pipe::NONE;
        // Started as a job by a job-control shell: a parent process in the
        // same session puts the program in a process group of its own, in the
        // foreground. Only then can SIGTSTP really stop it (a process group
        // without such a parent is orphaned and the kernel discards stops).
        // The parent ends as the program ends: same status or same signal.
        bool job_control = false;
    };

    explicit Session(Options options);
    Session() : Session(Options()) {}
    ~Session();  // kills a program still running
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The read end of the standard output pipe (Pipe::READ_BY_TEST), or -1.
    int stdout_pipe() const { return stdout_pipe_; }

    bool started() const { return pid_ > 0 && program_pid_ > 0; }
    // The program's process (under job control, not its shell's).
    pid_t pid() const { return program_pid_; }

    // Writes bytes as the terminal sends them, all in one write.
    bool write(std::string_view bytes);
    // A lone ESC: written while the program waits for a key, then a wait
    // until it has read the byte (its read count grew) and waits again with
    // no time limit, which it does only once its ESC wait is over.
    bool write_lone_escape();
    // Waits until the program is blocked in poll(2) with no time limit, as
    // /proc/<pid>/syscall shows it; false at once if it ends first.
    bool wait_until_waiting_without_limit(int timeout_ms = HANG_GUARD_MS);
    // Writes each key separately, as a person types: the next key is written
    // only when the program has taken every byte of the one before.
    bool type(const std::vector<std::string> &keys, int timeout_ms = HANG_GUARD_MS);
    // Waits until the program has read every byte written to it so far;
    // false at once if it ends first.
    bool wait_until_taken(int timeout_ms = HANG_GUARD_MS);
    // True once the program has ended (reaped or not).
    bool has_ended() const;
    static void pause(int ms);

    // Attributes of the terminal as the program currently has them, and as
    // they were before it started.
    termios attributes() const;
    const termios &initial_attributes() const { return initial_; }
    static bool same_attributes(const termios &a, const termios &b);
    // Waits until the program has switched input to raw (no ICANON, no ECHO;
    // false at once if it ends first), or until the attributes are back to
    // the initial ones.
    bool wait_until_raw(int timeout_ms = HANG_GUARD_MS);
    bool wait_until_restored(int timeout_ms = HANG_GUARD_MS);

    // Reads what the program shows until text appears in the whole output.
    bool read_until(std::string_view text, int timeout_ms = HANG_GUARD_MS);
    // Everything the program has shown so far, as raw bytes.
    const std::string &output() const { return output_; }

    // Suspends the terminal's output as XOFF would: the program's next write
    // waits until resume_output. Keeps a program in the middle of its output.
    bool suspend_output();
    bool resume_output();
    // With output suspended: lets the program's output through a little at a
    // time until text has appeared, and suspends it again.
    bool trickle_output_until(std::string_view text, int timeout_ms = HANG_GUARD_MS);

    // Sends sig to the program.
    bool send_signal(int sig);
    // Waits until the program is stopped (job control), or is running again.
    bool wait_until_stopped(int timeout_ms = HANG_GUARD_MS);
    bool wait_until_running(int timeout_ms = HANG_GUARD_MS);
    // Closes the terminal's master side: the program's terminal hangs up.
    void close_master();
    // Waits for the program to end, reading its output meanwhile.
    Ending wait_exit(int timeout_ms = HANG_GUARD_MS);
    // Write and read system calls the program made, once it has ended (not
    // counted under job control), or -1.
    long write_calls() const { return write_calls_; }
    long read_calls() const { return read_calls_; }

private:
    void drain(int wait_ms);

    pid_t pid_ = -1;          // the child started: the program, or its shell
    pid_t program_pid_ = -1;
    int master_ = -1;
    int stdout_pipe_ = -1;
    int slave_ = -1;  // kept open so the attributes stay readable after the end
    termios initial_{};
    std::string output_;
    bool reaped_ = false;
    Ending ending_;
    long write_calls_ = -1;
    long read_calls_ = -1;
};

// Result of a run with no terminal at all.
struct DetachedRun {
    Ending ending;
    std::string standard_output;
    std::string standard_error;
    long write_calls = -1;  // write system calls the program made, all descriptors
};

// Runs program in a new session without a controlling terminal, standard
// input a file holding standard_input (empty: at its end at once), both
// output streams captured.
DetachedRun run_without_terminal(const std::string &program,
                                 const std::vector<std::string> &args,
                                 int timeout_ms = HANG_GUARD_MS,
                                 std::string_view standard_input = {});

// Write system calls of a child that has ended but is not reaped yet (from
// /proc/<pid>/io), or -1; io_count_of_ended reads another field ("syscr:").
long write_calls_of_ended(pid_t pid);
long io_count_of_ended(pid_t pid, const std::string &field);
// A field of /proc/<pid>/io ("rchar:", ...) of a process, or -1.
long io_count(pid_t pid, const std::string &field);

}  // namespace pty

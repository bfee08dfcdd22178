#include "pty_driver.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace pty {
namespace {

using Clock = std::chrono::steady_clock;

int remaining_ms(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point after(int ms) { return Clock::now() + std::chrono::milliseconds(ms); }

std::vector<char *> argv_of(const std::string &program, const std::vector<std::string> &args) {
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &arg : args) argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// In the child before exec: default signal actions and an empty mask, as a
// shell would start it.
void reset_signals() {
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGTSTP, SIGCONT, SIGPIPE, SIGTTIN, SIGTTOU}) {
        signal(sig, SIG_DFL);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

Ending ending_of(int status) {
    Ending ending;
    ending.ended = true;
    if (WIFEXITED(status)) {
        ending.exited = true;
        ending.status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        ending.signal = WTERMSIG(status);
    }
    return ending;
}

void set_cloexec(int fd) { fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC); }

// In the child: sends a standard stream to a file when a path is given.
void redirect(const std::string &path, int stream) {
    if (path.empty()) return;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || dup2(fd, stream) < 0) _exit(126);
}

// In the child, as the session leader on the pty: acts as a job-control
// shell. Starts the program as a foreground job in a process group of its
// own, tells the driver its process id through report, and ends as the
// program ends. A stop of the program does not end the wait.
[[noreturn]] void run_as_job(char *const argv[], int report) {
    pid_t job = fork();
    if (job == 0) {
        setpgid(0, 0);
        // A process in a background group must not be stopped for taking
        // the terminal.
        sigset_t ttou;
        sigemptyset(&ttou);
        sigaddset(&ttou, SIGTTOU);
        sigprocmask(SIG_BLOCK, &ttou, nullptr);
        tcsetpgrp(0, getpid());
        reset_signals();
        execv(argv[0], argv);
        _exit(127);
    }
    if (job < 0) _exit(126);
    setpgid(job, job);
    (void)!::write(report, &job, sizeof job);
    close(report);
    // The test signals the program, never this shell; hang-ups are the
    // program's affair.
    signal(SIGHUP, SIG_IGN);
    int status = 0;
    while (waitpid(job, &status, 0) < 0) {
        if (errno != EINTR) _exit(126);
    }
    if (WIFEXITED(status)) _exit(WEXITSTATUS(status));
    int sig = WTERMSIG(status);
    signal(sig, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    kill(getpid(), sig);
    _exit(128 + sig);
}

// State letter of a process from /proc (R, S, T, Z, ...), or 0.
char process_state(pid_t pid) {
    std::string path = "/proc/" + std::to_string(pid) + "/stat";
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    char buffer[512];
    ssize_t got = read(fd, buffer, sizeof buffer);
    close(fd);
    if (got <= 0) return 0;
    std::string text(buffer, static_cast<std::size_t>(got));
    std::size_t close = text.rfind(')');
    if (close == std::string::npos || close + 2 >= text.size()) return 0;
    return text[close + 2];
}

}  // namespace

std::string freelattice_path() {
#ifdef FREELATTICE_BINARY
    return FREELATTICE_BINARY;
#else
    return "freelattice";
#endif
}

Session::Session(Options options) {
    winsize size = {};
    size.ws_row = 25;
    size.ws_col = 80;
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
    set_cloexec(master_);
    set_cloexec(slave_);
    tcgetattr(slave_, &initial_);
    std::vector<char *> argv = argv_of(options.program, options.args);
    using Pipe = Options::Pipe;
    int out_pipe[2] = {-1, -1};
    if (options.stdout_pipe != Pipe::NONE && options.stdout_path.empty() && pipe2(out_pipe, O_CLOEXEC) != 0)
        return;
    int report[2] = {-1, -1};
    if (options.job_control && pipe2(report, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        // login_tty: new session, the pty as controlling terminal and as
        // standard input, output and error.
        int slave = dup(slave_);
        if (login_tty(slave) != 0) _exit(126);
        redirect(options.stdout_path, 1);
        redirect(options.stderr_path, 2);
        if (out_pipe[1] >= 0 && dup2(out_pipe[1], 1) < 0) _exit(126);
        if (options.job_control) {
            close(report[0]);
            run_as_job(argv.data(), report[1]);
        }
        reset_signals();
        if (options.ignore_sighup) signal(SIGHUP, SIG_IGN);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (out_pipe[1] >= 0) {
        close(out_pipe[1]);
        if (options.stdout_pipe == Pipe::READ_BY_TEST)
            stdout_pipe_ = out_pipe[0];
        else
            close(out_pipe[0]);
    }
    if (!options.job_control) {
        program_pid_ = pid_;
        return;
    }
    close(report[1]);
    pid_t job = -1;
    ssize_t got = 0;
    do {
        got = read(report[0], &job, sizeof job);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == sizeof job) program_pid_ = job;
}

Session::~Session() {
    if (pid_ > 0 && !reaped_) {
        if (program_pid_ > 0 && program_pid_ != pid_) kill(program_pid_, SIGKILL);
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
    if (stdout_pipe_ >= 0) close(stdout_pipe_);
}

bool Session::write(std::string_view bytes) {
    if (master_ < 0) return false;
    while (!bytes.empty()) {
        ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool Session::write_lone_escape() {
    if (!wait_until_waiting_without_limit()) return false;
    long before = io_count(program_pid_, "rchar:");
    if (before < 0 || !write("\x1b")) return false;
    auto deadline = after(HANG_GUARD_MS);
    while (io_count(program_pid_, "rchar:") == before) {
        if (remaining_ms(deadline) == 0) return false;
        drain(2);
    }
    return wait_until_waiting_without_limit();
}

bool Session::wait_until_waiting_without_limit(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        // "7 <fds> <count> 0xffffffff ...": poll with a timeout of -1; or
        // ppoll (271) with no timeout at all.
        std::ifstream in("/proc/" + std::to_string(program_pid_) + "/syscall");
        std::string number, fds, count, timeout;
        if (in >> number >> fds >> count >> timeout) {
            if (number == "7" && (timeout == "0xffffffff" || timeout == "0xffffffffffffffff")) return true;
            if (number == "271" && timeout == "0x0") return true;
        }
        if (remaining_ms(deadline) == 0 || has_ended()) return false;
        drain(2);
    }
}

bool Session::has_ended() const {
    // Gone from /proc too: reaped by its job-control shell.
    char state = process_state(program_pid_);
    return reaped_ || state == 'Z' || state == 0;
}

bool Session::wait_until_taken(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        int queued = 0;
        if (ioctl(slave_, TIOCINQ, &queued) != 0) return false;
        if (queued == 0) return true;
        if (remaining_ms(deadline) == 0 || has_ended()) return false;
        drain(5);
    }
}

bool Session::type(const std::vector<std::string> &keys, int timeout_ms) {
    for (const std::string &key : keys) {
        if (!write(key) || !wait_until_taken(timeout_ms)) return false;
    }
    return true;
}

void Session::pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

termios Session::attributes() const {
    termios now{};
    tcgetattr(slave_, &now);
    return now;
}

bool Session::same_attributes(const termios &a, const termios &b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

bool Session::wait_until_raw(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        termios now = attributes();
        if ((now.c_lflag & (ICANON | ECHO)) == 0) return true;
        if (remaining_ms(deadline) == 0 || has_ended()) return false;
        drain(10);
    }
}

bool Session::wait_until_restored(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        if (same_attributes(attributes(), initial_)) return true;
        if (remaining_ms(deadline) == 0) return false;
        drain(10);
    }
}

void Session::drain(int wait_ms) {
    if (master_ < 0) {
        pause(wait_ms);
        return;
    }
    pollfd watch = {master_, POLLIN, 0};
    if (poll(&watch, 1, wait_ms) <= 0) return;
    if ((watch.revents & POLLIN) == 0) {
        pause(wait_ms);
        return;
    }
    char buffer[4096];
    ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) output_.append(buffer, static_cast<std::size_t>(got));
}

bool Session::read_until(std::string_view text, int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        if (output_.find(text) != std::string::npos) return true;
        int left = remaining_ms(deadline);
        if (left == 0) return false;
        drain(left < 20 ? left : 20);
    }
}

bool Session::suspend_output() { return tcflow(slave_, TCOOFF) == 0; }

bool Session::resume_output() { return tcflow(slave_, TCOON) == 0; }

bool Session::trickle_output_until(std::string_view text, int timeout_ms) {
    auto deadline = after(timeout_ms);
    while (output_.find(text) == std::string::npos) {
        if (remaining_ms(deadline) == 0 || master_ < 0) return false;
        std::size_t before = output_.size();
        if (!resume_output()) return false;
        // Until at least one more byte came, then stop the output again.
        while (output_.size() == before && remaining_ms(deadline) > 0) drain(1);
        if (!suspend_output()) return false;
        drain(0);
    }
    return true;
}

bool Session::send_signal(int sig) {
    return program_pid_ > 0 && !reaped_ && kill(program_pid_, sig) == 0;
}

bool Session::wait_until_stopped(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        if (process_state(program_pid_) == 'T') return true;
        if (remaining_ms(deadline) == 0) return false;
        drain(10);
    }
}

bool Session::wait_until_running(int timeout_ms) {
    auto deadline = after(timeout_ms);
    for (;;) {
        char state = process_state(program_pid_);
        if (state != 'T' && state != 't' && state != 0) return true;
        if (remaining_ms(deadline) == 0) return false;
        drain(10);
    }
}

void Session::close_master() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

Ending Session::wait_exit(int timeout_ms) {
    if (pid_ <= 0) return ending_;
    auto deadline = after(timeout_ms);
    while (!reaped_) {
        siginfo_t info = {};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid_ && pid_ == program_pid_) {
            write_calls_ = write_calls_of_ended(pid_);
            read_calls_ = io_count_of_ended(pid_, "syscr:");
        }
        int status = 0;
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            reaped_ = true;
            ending_ = ending_of(status);
            break;
        }
        int left = remaining_ms(deadline);
        if (left == 0) return ending_;
        drain(left < 10 ? left : 10);
    }
    // What the program wrote just before it ended.
    for (int i = 0; i < 5; ++i) drain(10);
    return ending_;
}

long write_calls_of_ended(pid_t pid) { return io_count_of_ended(pid, "syscw:"); }

long io_count_of_ended(pid_t pid, const std::string &wanted) {
    siginfo_t info = {};
    // WNOWAIT: the child stays a zombie, so its counters can still be read.
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0) return -1;
    return io_count(pid, wanted);
}

long io_count(pid_t pid, const std::string &wanted) {
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string field;
    long value = -1;
    while (io >> field >> value) {
        if (field == wanted) return value;
    }
    return -1;
}

namespace {

// A file holding text, already unlinked, open for reading from its start.
int input_file(std::string_view text) {
    char path[] = "/tmp/freelattice-input-XXXXXX";
    int fd = mkostemp(path, O_CLOEXEC);
    if (fd < 0) return -1;
    unlink(path);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

}  // namespace

DetachedRun run_without_terminal(const std::string &program, const std::vector<std::string> &args,
                                 int timeout_ms, std::string_view standard_input) {
    DetachedRun run;
    int out[2], err[2];
    int in = input_file(standard_input);
    if (in < 0) return run;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in);
        return run;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(in);
        close(out[0]);
        close(out[1]);
        return run;
    }
    std::vector<char *> argv = argv_of(program, args);
    pid_t pid = fork();
    if (pid == 0) {
        setsid();  // no controlling terminal from here on
        if (dup2(in, 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0) _exit(126);
        reset_signals();
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in);
    close(out[1]);
    close(err[1]);
    auto deadline = after(timeout_ms);
    pollfd watch[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string *text[2] = {&run.standard_output, &run.standard_error};
    int open_pipes = 2;
    while (open_pipes > 0 && remaining_ms(deadline) > 0 && pid > 0) {
        if (poll(watch, 2, remaining_ms(deadline)) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (watch[i].fd < 0 || watch[i].revents == 0) continue;
            char buffer[1024];
            ssize_t got = read(watch[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                text[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(watch[i].fd);
                watch[i].fd = -1;
                --open_pipes;
            }
        }
    }
    for (pollfd &w : watch) {
        if (w.fd >= 0) close(w.fd);
    }
    if (pid <= 0) return run;
    while (remaining_ms(deadline) > 0) {
        siginfo_t info = {};
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid) {
            run.write_calls = write_calls_of_ended(pid);
            int status = 0;
            waitpid(pid, &status, 0);
            run.ending = ending_of(status);
            return run;
        }
        Session::pause(10);
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return run;
}

}  // namespace pty

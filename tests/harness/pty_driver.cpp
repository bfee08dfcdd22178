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
    pid_ = fork();
    if (pid_ == 0) {
        // login_tty: new session, the pty as controlling terminal and as
        // standard input, output and error.
        int slave = dup(slave_);
        if (login_tty(slave) != 0) _exit(126);
        reset_signals();
        if (options.ignore_sighup) signal(SIGHUP, SIG_IGN);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

Session::~Session() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
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
    bool ok = write("\x1b");
    // Far past the program's wait for the rest of a sequence.
    pause(500);
    return ok;
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
        if (remaining_ms(deadline) == 0) return false;
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

bool Session::send_signal(int sig) { return pid_ > 0 && !reaped_ && kill(pid_, sig) == 0; }

void Session::close_master() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

Ending Session::wait_exit(int timeout_ms) {
    if (pid_ <= 0) return ending_;
    auto deadline = after(timeout_ms);
    while (!reaped_) {
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

DetachedRun run_without_terminal(const std::string &program, const std::vector<std::string> &args,
                                 int timeout_ms) {
    DetachedRun run;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return run;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    std::vector<char *> argv = argv_of(program, args);
    pid_t pid = fork();
    if (pid == 0) {
        setsid();  // no controlling terminal from here on
        int null = open("/dev/null", O_RDONLY);
        if (null < 0 || dup2(null, 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0) _exit(126);
        reset_signals();
        execv(argv[0], argv.data());
        _exit(127);
    }
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
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
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

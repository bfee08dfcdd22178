// The pending text lives in [written, filled) of one fixed buffer, and
// 0 <= written <= filled <= CAPACITY always holds:
// - only the program moves `filled`: up after the bytes are stored (so a
//   handler never sees half a character), and to 0 with `written` inside a
//   flush, which always resets both, whatever was pending;
// - a handler only moves `written`, up to `filled`, and never while a flush
//   of the program is under way, since it cannot know how much of an
//   interrupted write reached the descriptor.
// An addition therefore has its room counted from `filled`, which no handler
// changes; the copy is checked against the bounds in checked builds.
#include "signals/pending_output.h"


#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "checks/invariant.h"
#include "signals/write_all.h"

namespace {

// Large enough that a whole screen goes out in one write.
constexpr int CAPACITY = PENDING_OUTPUT_CAPACITY;

// Each of these is at file scope because a signal handler, which takes no
// arguments, must find it (signals/signals.cpp writes the text out):
// the text itself,
char pending[CAPACITY];
// where it ends and how much of it a handler has written out,
volatile std::sig_atomic_t filled = 0;
volatile std::sig_atomic_t written = 0;
// whether the program is writing it out itself (a handler then keeps off),
volatile std::sig_atomic_t flushing = 0;
// the descriptor it goes to,
volatile std::sig_atomic_t target = -1;
// and a failure: a failed output is never written again.
volatile std::sig_atomic_t failure = 0;

}  // namespace

void pending_output_attach(int fd) { target = fd; }

bool pending_output_flush() {
    if (failure != 0) return false;
    flushing = 1;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    // A handler may have written everything out already: the indices are
    // reset all the same, or the room would stay used up.
    int from = written;
    int to = filled;
    // No handler moves either index while the flag is up.
    INVARIANT(0 <= from && from <= to && to <= CAPACITY);
    int error = to == from ? 0 : target < 0 ? EBADF : write_all(target, pending + from, static_cast<std::size_t>(to - from));
    filled = 0;
    written = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    flushing = 0;
    failure = error;
    return error == 0;
}

bool pending_output_add(const char *bytes, int length) {
    if (failure != 0) return false;
    if (filled + length > CAPACITY) {
        if (!pending_output_flush()) return false;
        if (length > CAPACITY) {
            failure = target < 0 ? EBADF : write_all(target, bytes, static_cast<std::size_t>(length));
            return failure == 0;
        }
    }
    int at = filled;
    INVARIANT(at >= 0 && length >= 0 && at + length <= CAPACITY);
    std::memcpy(pending + at, bytes, static_cast<size_t>(length));
    // The bytes are in place before a handler can see them as pending.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    filled = at + length;
    return true;
}

void pending_output_flush_from_handler() {
    if (flushing != 0 || failure != 0 || target < 0) return;
    int from = written;
    int to = filled;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (to <= from) return;
    INVARIANT(0 <= from && to <= CAPACITY);
    // A failure here changes nothing: the program is stopping or ending.
    (void)write_all(target, pending + from, static_cast<std::size_t>(to - from));
    written = to;
}

int pending_output_error() { return failure; }

void pending_output_reset() {
    filled = 0;
    written = 0;
    flushing = 0;
    target = -1;
    failure = 0;
}

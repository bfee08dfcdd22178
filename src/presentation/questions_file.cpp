#include "presentation/questions_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "presentation/argument_errors.h"

namespace {

constexpr std::size_t READ_BLOCK = 1 << 16;
// A graph past this many terms is started afresh before the next question.
constexpr int TERMS_KEPT = 1 << 16;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A comment is a '#' first on the line and not a "#N".
bool blank_or_comment(std::string_view line) {
    if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
    return line[0] == '#' && (line.size() == 1 || !is_digit(line[1]));
}

class QuestionLines {
public:
    QuestionLines(const char *path, Answers &answers, AnswerOutput &output)
        : path_(path), answers_(answers), output_(output) {}

    // Takes bytes as they are read; a line ends at each LF.
    void take(const char *bytes, std::size_t length) {
        for (std::size_t at = 0; at < length;) {
            const char *line_end = static_cast<const char *>(std::memchr(bytes + at, '\n', length - at));
            std::size_t stop = line_end == nullptr ? length : static_cast<std::size_t>(line_end - bytes);
            // Past the bound a line is only counted: the rest of it is never held.
            if (!too_long_) line_.append(bytes + at, stop - at);
            if (line_.size() > RELATION_MAX_LENGTH + 1) {
                too_long_ = true;
                line_.clear();
            }
            if (line_end == nullptr) return;
            finish();
            at = stop + 1;
        }
    }

    // The last line, when the file does not end with a line end.
    void end() {
        if (!line_.empty() || too_long_) finish();
    }

    int status() const { return failed_ ? 2 : all_hold_ ? 0 : 1; }
    void failed() { failed_ = true; }

private:
    void finish() {
        ++number_;
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (too_long_ || line_.size() > RELATION_MAX_LENGTH) {
            line_error(path_, number_, "character %zu: question longer than %zu characters", RELATION_MAX_LENGTH + 1,
                       RELATION_MAX_LENGTH);
            failed_ = true;
        } else if (!blank_or_comment(line_)) {
            answer(line_);
        }
        line_.clear();
        too_long_ = false;
    }

    void answer(std::string_view text) {
        if (answers_.terms_held() > TERMS_KEPT) answers_.forget();
        Question question{text.find_first_of("<>=") != std::string_view::npos, text};
        RelationError error;
        if (!answers_.read(question, error)) {
            line_error(path_, number_, "character %zu: %s", error.position, error.reason.c_str());
            failed_ = true;
            return;
        }
        text_.clear();
        all_hold_ = answers_.answer(question, text_) && all_hold_;
        output_.add(text_);
    }

    const char *path_;
    Answers &answers_;
    AnswerOutput &output_;
    std::string line_;
    std::string text_;
    bool too_long_ = false;
    std::size_t number_ = 0;
    bool all_hold_ = true;
    bool failed_ = false;
};

}  // namespace

int open_questions(const char *path) {
    if (std::strcmp(path, "-") == 0) return STDIN_FILENO;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat status {};
    // A folder opens, and fails only at the first read: tell it at the start.
    int error = fd < 0 ? errno : fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    if (error == 0) return fd;
    if (fd >= 0) (void)close(fd);
    file_error("read", path, error);
    return -1;
}

int answer_questions_file(int fd, const char *path, Answers &answers, AnswerOutput &output) {
    QuestionLines lines(path, answers, output);
    std::vector<char> block(READ_BLOCK);
    // Every answer is out before a read that may wait for the next question.
    while (output.flush()) {
        ssize_t got = read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno == EAGAIN) {
            // A descriptor left non-blocking by whoever shares it.
            pollfd more = {fd, POLLIN, 0};
            (void)poll(&more, 1, -1);
            continue;
        }
        if (got < 0) {
            file_error("read", path, errno);
            lines.failed();
            break;
        }
        if (got == 0) {
            lines.end();
            break;
        }
        lines.take(block.data(), static_cast<std::size_t>(got));
    }
    (void)output.flush();
    if (fd != STDIN_FILENO) (void)close(fd);
    return lines.status();
}

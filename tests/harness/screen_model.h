// What an 80-column xterm shows for a stream of output bytes: UTF-8
// characters, carriage return, new line, backspace and automatic wrap at the
// last column. Every line ever written is kept, so a whole session scrolled
// past can be compared with an expected text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ScreenModel {
public:
    explicit ScreenModel(int columns = 80);

    // Shows bytes; a UTF-8 character split across calls is joined.
    void feed(std::string_view bytes);

    // All lines from the first, trailing blanks of each line and blank lines
    // at the end left out, each line ending in "\n".
    std::string text() const;

    // Bytes a program must never send raw: controls other than BS, LF and CR
    // (ESC included), and DEL. They are counted, not shown.
    int stray_controls() const { return stray_controls_; }

    int row() const { return row_; }
    int column() const { return column_; }

private:
    void put(const std::string &character);
    void new_line();

    int columns_;
    std::vector<std::vector<std::string>> lines_;
    int row_ = 0;
    int column_ = 0;
    bool wrap_pending_ = false;  // the last column was just written
    std::string partial_;        // bytes of an unfinished UTF-8 character
    int partial_left_ = 0;
    int stray_controls_ = 0;
};

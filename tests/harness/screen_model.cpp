#include "screen_model.h"

namespace {

// Continuation bytes a UTF-8 lead byte announces, -1 for no lead byte.
int continuation_count(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

const std::string REPLACEMENT = "\xEF\xBF\xBD";

}  // namespace

ScreenModel::ScreenModel(int columns) : columns_(columns), lines_(1) {}

void ScreenModel::new_line() {
    ++row_;
    if (row_ >= static_cast<int>(lines_.size())) lines_.resize(static_cast<std::size_t>(row_) + 1);
}

void ScreenModel::put(const std::string &character) {
    if (wrap_pending_) {
        // xterm wraps when the character after the last column comes.
        column_ = 0;
        new_line();
        wrap_pending_ = false;
    }
    std::vector<std::string> &line = lines_[static_cast<std::size_t>(row_)];
    if (static_cast<int>(line.size()) <= column_) line.resize(static_cast<std::size_t>(column_) + 1, " ");
    line[static_cast<std::size_t>(column_)] = character;
    if (column_ == columns_ - 1) {
        wrap_pending_ = true;
    } else {
        ++column_;
    }
}

void ScreenModel::feed(std::string_view bytes) {
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (partial_left_ > 0) {
            if (byte >= 0x80 && byte <= 0xBF) {
                partial_ += c;
                if (--partial_left_ == 0) {
                    put(partial_);
                    partial_.clear();
                }
                continue;
            }
            // Cut off: the terminal shows a replacement, then takes the byte.
            partial_left_ = 0;
            partial_.clear();
            put(REPLACEMENT);
        }
        if (byte == '\r') {
            column_ = 0;
            wrap_pending_ = false;
        } else if (byte == '\n') {
            new_line();
            wrap_pending_ = false;
        } else if (byte == '\b') {
            if (column_ > 0) --column_;  // from the last column too, as xterm
            wrap_pending_ = false;
        } else if (byte < 0x20 || byte == 0x7F) {
            ++stray_controls_;
        } else if (byte < 0x80) {
            put(std::string(1, c));
        } else {
            int count = continuation_count(byte);
            if (count < 0) {
                put(REPLACEMENT);
            } else {
                partial_.assign(1, c);
                partial_left_ = count;
            }
        }
    }
}

std::string ScreenModel::text() const {
    std::vector<std::string> shown;
    for (const std::vector<std::string> &line : lines_) {
        std::size_t end = line.size();
        while (end > 0 && line[end - 1] == " ") --end;
        std::string text;
        for (std::size_t i = 0; i < end; ++i) text += line[i];
        shown.push_back(text);
    }
    while (!shown.empty() && shown.back().empty()) shown.pop_back();
    std::string all;
    for (const std::string &line : shown) all += line + "\n";
    return all;
}

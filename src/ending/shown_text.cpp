#include "ending/shown_text.h"

#include <cstdio>

std::string shown_text(std::string_view text, std::size_t limit) {
    bool cut = text.size() > limit && limit >= 3;
    std::size_t kept = cut ? limit - 3 : text.size();
    std::string shown;
    for (std::size_t i = 0; i < kept; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char escape[5];
            (void)std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        }
    }
    if (cut) shown += "...";
    return shown;
}

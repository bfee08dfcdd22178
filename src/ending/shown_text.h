// Text from the user (file names, option values) as a message shows it: a
// message goes to what may be a terminal, and a name may hold any byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// text with every byte that is not printable ASCII (32..126) as \xHH; text
// longer than limit (3 or more) as its first limit - 3 bytes, so shown, then
// "...".
std::string shown_text(std::string_view text, std::size_t limit = std::string_view::npos);

#include "presentation/declaration.h"

#include <cstring>
#include <string_view>

#include "dialogue/poset_entry.h"
#include "poset/poset_bounds.h"
#include "presentation/argument_errors.h"
#include "lattice/lattice.h"

namespace {

constexpr const char *OPTION = "--define";
constexpr int MEETS = 0;
constexpr int JOINS = 1;

bool everything = false;
bool declared[2][MAX_ELEMENTS][MAX_ELEMENTS];

bool is_separator(char c) { return c == ' ' || c == ','; }

// The generator named c, or -1; slots named for generated elements do not
// count.
int generator_named(char c) {
    int k = NameIndex[static_cast<unsigned char>(c)];
    return k < generator_count ? k : -1;
}

bool unknown_name(std::string_view item, char c) {
    if (generator_named(c) != -1) return false;
    argument_error(OPTION, item, "no element named '%c' in the poset", c);
    return true;
}

// x.y, x+y, x.y=v or x+y=v, names of one character each.
bool well_formed(std::string_view item) {
    bool pair = item.size() >= 3 && is_name(item[0]) && (item[1] == '.' || item[1] == '+') && is_name(item[2]);
    return pair && (item.size() == 3 || (item.size() == 5 && item[3] == '=' && is_name(item[4])));
}

bool declare_item(std::string_view item) {
    if (item == "all") {
        everything = true;
        return true;
    }
    if (!well_formed(item)) {
        argument_error(OPTION, item, "not a meet x.y or a join x+y (either may end in =v), nor all");
        return false;
    }
    if (unknown_name(item, item[0]) || unknown_name(item, item[2])) return false;
    if (item.size() == 5 && unknown_name(item, item[4])) return false;
    bool meet = item[1] == '.';
    const char *operation = meet ? "meet" : "join";
    int x = generator_named(item[0]);
    int y = generator_named(item[2]);
    if (OrderMatrix[x][y] != 0 || OrderMatrix[y][x] != 0) {
        argument_error(OPTION, item, "%c and %c are comparable, so their %s is always defined", item[0], item[2],
                       operation);
        return false;
    }
    int bound = meet ? poset_meet(x, y) : poset_join(x, y);
    if (bound == -1) {
        argument_error(OPTION, item, "%c and %c have no %s in the poset", item[0], item[2], operation);
        return false;
    }
    if (item.size() == 5 && generator_named(item[4]) != bound) {
        argument_error(OPTION, item, "the %s of %c and %c in the poset is %c, not %c", operation, item[0], item[2],
                       NameTable[bound], item[4]);
        return false;
    }
    declared[meet ? MEETS : JOINS][x][y] = true;
    declared[meet ? MEETS : JOINS][y][x] = true;
    return true;
}

bool yes() { return true; }

bool declared_bound(int i, char symbol, int j, int /*m*/) {
    return everything || declared[symbol == '.' ? MEETS : JOINS][i][j];
}

void nothing() {}

}  // namespace

bool declare(const std::vector<const char *> &lists) {
    everything = false;
    std::memset(declared, 0, sizeof declared);
    for (const char *list : lists) {
        std::string_view rest = list;
        while (!rest.empty()) {
            std::size_t start = 0;
            while (start < rest.size() && is_separator(rest[start])) ++start;
            std::size_t end = start;
            while (end < rest.size() && !is_separator(rest[end])) ++end;
            if (end > start && !declare_item(rest.substr(start, end - start))) return false;
            rest.remove_prefix(end);
        }
    }
    return true;
}

const AnswerSource DECLARED_ANSWERS = {yes, declared_bound, nothing};

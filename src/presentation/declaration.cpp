#include "presentation/declaration.h"

#include <cstring>
#include <string_view>

#include "poset/names.h"
#include "poset/poset_bounds.h"
#include "presentation/argument_errors.h"

namespace {

constexpr const char *OPTION = "--define";
constexpr int MEETS = 0;
constexpr int JOINS = 1;

bool is_separator(char c) { return c == ' ' || c == ','; }

// The generator named c, or -1; slots named for generated elements do not
// count.
int generator_named(const Lattice &lattice, char c) {
    int k = lattice.named(static_cast<unsigned char>(c));
    return k < lattice.generators() ? k : -1;
}

bool unknown_name(const Lattice &lattice, std::string_view item, char c) {
    if (generator_named(lattice, c) != -1) return false;
    argument_error(OPTION, item, "no element named '%c' in the poset", c);
    return true;
}

// x.y, x+y, x.y=v or x+y=v, names of one character each.
bool well_formed(std::string_view item) {
    bool pair = item.size() >= 3 && is_name(item[0]) && (item[1] == '.' || item[1] == '+') && is_name(item[2]);
    return pair && (item.size() == 3 || (item.size() == 5 && item[3] == '=' && is_name(item[4])));
}

}  // namespace

bool Declaration::declare_item(const Lattice &lattice, std::string_view item) {
    if (item == "all") {
        everything_ = true;
        return true;
    }
    if (!well_formed(item)) {
        argument_error(OPTION, item, "not a meet x.y or a join x+y (either may end in =v), nor all");
        return false;
    }
    if (unknown_name(lattice, item, item[0]) || unknown_name(lattice, item, item[2])) return false;
    if (item.size() == 5 && unknown_name(lattice, item, item[4])) return false;
    bool meet = item[1] == '.';
    const char *operation = meet ? "meet" : "join";
    int x = generator_named(lattice, item[0]);
    int y = generator_named(lattice, item[2]);
    if (lattice.leq(x, y) || lattice.leq(y, x)) {
        argument_error(OPTION, item, "%c and %c are comparable, so their %s is always defined", item[0], item[2],
                       operation);
        return false;
    }
    int bound = meet ? poset_meet(lattice, x, y) : poset_join(lattice, x, y);
    if (bound == -1) {
        argument_error(OPTION, item, "%c and %c have no %s in the poset", item[0], item[2], operation);
        return false;
    }
    if (item.size() == 5 && generator_named(lattice, item[4]) != bound) {
        argument_error(OPTION, item, "the %s of %c and %c in the poset is %c, not %c", operation, item[0], item[2],
                       lattice.name(bound), item[4]);
        return false;
    }
    declared_[meet ? MEETS : JOINS][x][y] = true;
    declared_[meet ? MEETS : JOINS][y][x] = true;
    return true;
}

bool Declaration::bound_defined(int i, char symbol, int j, int /*m*/) {
    return everything_ || declared_[symbol == '.' ? MEETS : JOINS][i][j];
}

bool Declaration::read(const Lattice &lattice, const std::vector<const char *> &lists) {
    everything_ = false;
    std::memset(declared_, 0, sizeof declared_);
    for (const char *list : lists) {
        std::string_view rest = list;
        while (!rest.empty()) {
            std::size_t start = 0;
            while (start < rest.size() && is_separator(rest[start])) ++start;
            std::size_t end = start;
            while (end < rest.size() && !is_separator(rest[end])) ++end;
            if (end > start && !declare_item(lattice, rest.substr(start, end - start))) return false;
            rest.remove_prefix(end);
        }
    }
    return true;
}

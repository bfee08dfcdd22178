#include "export/result_notes.h"

#include "export/element_text.h"
#include "lattice/lattice.h"

namespace {

// The incomparable pairs with a value, i before j: the questions answered yes.
void note_table(const unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], const char *symbol,
                std::vector<std::string> &items) {
    items.clear();
    int n = generator_count;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (OrderMatrix[i][j] != 0 || OrderMatrix[j][i] != 0 || table[i][j] == UNDEFINED) continue;
            items.push_back(element_name(i) + symbol + element_name(j) + "=" + element_name(table[i][j]));
        }
    }
}

}  // namespace

void note_definitions(ResultNotes &notes) {
    note_table(MeetTable, ".", notes.meets);
    note_table(JoinTable, "+", notes.joins);
}

// Values are built and escaped by nlohmann::json; only the layout (a table
// row per line rather than one number per line) is put together here.
#include "export/json_writer.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

#include "export/element_text.h"

namespace {

using nlohmann::json;

// Compact; a character that is no UTF-8 (a relation typed in another
// encoding, say) becomes U+FFFD instead of ending the program.
template <class Json>
std::string compact(const Json &value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// "key": followed by the array of rows, one row per line.
template <class Json>
void append_array(std::string &text, const char *key, const std::vector<Json> &rows) {
    text += "  \"";
    text += key;
    text += "\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += compact(rows[i]);
    }
    text += rows.empty() ? "]" : "\n  ]";
}

std::vector<json> element_rows(const Lattice &lattice, int count) {
    std::vector<json> rows;
    for (int e = 0; e < count; ++e) {
        json element = json::object();
        // Past the names an element has none.
        if (element_named(lattice, e)) {
            element["name"] = element_name(lattice, e);
        } else {
            element["name"] = nullptr;
        }
        element["term"] = element_term(lattice, e);
        rows.push_back(element);
    }
    return rows;
}

enum class Table { ORDER, JOINS, MEETS };

// One entry as the library writes it: 0 or 1 for the order; for a join or
// meet the element's index, or null where it is unknown or not listed (at
// the limit, the element made last may be past the elements listed).
void append_entry(std::string &text, const Lattice &lattice, Table table, int r, int c, int count) {
    if (table == Table::ORDER) {
        text += lattice.leq(r, c) ? '1' : '0';
        return;
    }
    int value = table == Table::JOINS ? lattice.join(r, c) : lattice.meet(r, c);
    // NO_ELEMENT is above every count too.
    if (value >= count) {
        text += "null";
        return;
    }
    char digits[8];
    int length = std::snprintf(digits, sizeof digits, "%d", value);
    text.append(digits, static_cast<std::size_t>(length));
}

// "key": followed by the table's rows, one per line, written as the library
// writes an array of numbers and nulls: a table of thousands of elements has
// a hundred million entries, too many to make a value of each.
void append_table(std::string &text, const char *key, const Lattice &lattice, Table table, int count) {
    text += "  \"";
    text += key;
    text += "\": [";
    for (int r = 0; r < count; ++r) {
        text += r == 0 ? "\n    [" : ",\n    [";
        for (int c = 0; c < count; ++c) {
            if (c > 0) text += ',';
            append_entry(text, lattice, table, r, c, count);
        }
        text += ']';
    }
    text += count == 0 ? "]" : "\n  ]";
}

// The relation before its verdict, as the decision lines read.
std::vector<nlohmann::ordered_json> decision_rows(const std::vector<DecidedRelation> &decisions) {
    std::vector<nlohmann::ordered_json> rows;
    for (const DecidedRelation &decision : decisions) {
        nlohmann::ordered_json row = nlohmann::ordered_json::object();
        row["relation"] = decision.relation;
        row["holds"] = decision.holds;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string json_text(const Lattice &lattice, int count, const ResultNotes &notes) {
    // Keys in the order a reader expects them, not sorted.
    std::string text = "{\n  \"generators\": " + std::to_string(lattice.generators()) +
                       ",\n  \"closed\": " + (lattice.closed() ? "true" : "false") + ",\n";
    // Meets first, as the questions come (a json object would sort them).
    text += "  \"defined\": {\"meets\": " + compact(json(notes.meets)) + ", \"joins\": " +
            compact(json(notes.joins)) + "},\n";
    append_array(text, "elements", element_rows(lattice, count));
    text += ",\n";
    append_table(text, "leq", lattice, Table::ORDER, count);
    text += ",\n";
    append_table(text, "joins", lattice, Table::JOINS, count);
    text += ",\n";
    append_table(text, "meets", lattice, Table::MEETS, count);
    if (notes.decided) {
        text += ",\n";
        append_array(text, "decisions", decision_rows(notes.decisions));
    }
    text += "\n}\n";
    return text;
}

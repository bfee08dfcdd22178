// Values are built and escaped by nlohmann::json; only the layout (a table
// row per line rather than one number per line) is put together here.
#include "export/json_writer.h"

#include <nlohmann/json.hpp>

#include <vector>

#include "export/element_text.h"
#include "lattice/lattice.h"

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

std::vector<json> element_rows(int count) {
    std::vector<json> rows;
    for (int e = 0; e < count; ++e) {
        json element = json::object();
        element["name"] = element_name(e);
        element["term"] = element_term(e);
        rows.push_back(element);
    }
    return rows;
}

std::vector<json> order_rows(int count) {
    std::vector<json> rows;
    for (int r = 0; r < count; ++r) {
        json row = json::array();
        for (int c = 0; c < count; ++c) row.push_back(OrderMatrix[r][c] != 0 ? 1 : 0);
        rows.push_back(row);
    }
    return rows;
}

std::vector<json> operation_rows(const unsigned char (&table)[MAX_ELEMENTS][MAX_ELEMENTS], int count) {
    std::vector<json> rows;
    for (int r = 0; r < count; ++r) {
        json row = json::array();
        for (int c = 0; c < count; ++c) {
            int value = table[r][c];
            // UNDEFINED is above every count too.
            if (value >= count) {
                row.push_back(nullptr);
            } else {
                row.push_back(value);
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// The relation before its verdict, as the decision lines read.
std::vector<nlohmann::ordered_json> decision_rows(const std::vector<Decision> &decisions) {
    std::vector<nlohmann::ordered_json> rows;
    for (const Decision &decision : decisions) {
        nlohmann::ordered_json row = nlohmann::ordered_json::object();
        row["relation"] = decision.relation;
        row["holds"] = decision.holds;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string json_text(int count, const ResultNotes &notes) {
    // Keys in the order a reader expects them, not sorted.
    std::string text = "{\n  \"generators\": " + std::to_string(generator_count) +
                       ",\n  \"closed\": " + (closure_complete != 0 ? "true" : "false") + ",\n";
    // Meets first, as the questions come (a json object would sort them).
    text += "  \"defined\": {\"meets\": " + compact(json(notes.meets)) + ", \"joins\": " +
            compact(json(notes.joins)) + "},\n";
    append_array(text, "elements", element_rows(count));
    text += ",\n";
    append_array(text, "leq", order_rows(count));
    text += ",\n";
    append_array(text, "joins", operation_rows(JoinTable, count));
    text += ",\n";
    append_array(text, "meets", operation_rows(MeetTable, count));
    if (notes.decided) {
        text += ",\n";
        append_array(text, "decisions", decision_rows(notes.decisions));
    }
    text += "\n}\n";
    return text;
}

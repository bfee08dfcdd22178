// Written by hand, so that the program needs no JSON library: the values are
// names, terms, relations, numbers and null, and only strings need care.
#include "export/json_writer.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "export/element_text.h"
#include "terms/element_terms.h"

namespace {

// The length of the well-formed UTF-8 character at the start of text, or 0
// when it is none. A broken sequence is cut at its first wrong byte, as the
// Unicode standard recommends, so that a byte that may start the next
// character is read again.
std::size_t utf8_length(std::string_view text, std::size_t &checked) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    // The second byte's range rules out overlong forms, surrogates and
    // characters past U+10FFFF.
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    checked = 1;
    for (; checked < length; ++checked) {
        if (checked >= text.size()) return 0;
        unsigned char next = byte(checked);
        if (next < (checked == 1 ? low : 0x80) || next > (checked == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

// A JSON string (RFC 8259): quote, backslash and control characters
// escaped, UTF-8 as it is; a byte that is no UTF-8 (a relation typed in
// another encoding, say) becomes U+FFFD rather than making the file invalid.
void append_string(std::string &text, std::string_view value) {
    text += '"';
    for (std::size_t at = 0; at < value.size();) {
        std::size_t checked = 0;
        std::size_t length = utf8_length(value.substr(at), checked);
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            at += checked;
            continue;
        }
        char c = value[at];
        const char *escape = c == '"' ? "\\\"" : c == '\\' ? "\\\\" : c == '\b' ? "\\b" : c == '\f' ? "\\f"
                           : c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : nullptr;
        if (escape != nullptr) {
            text += escape;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            (void)std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            text += code;
        } else {
            text.append(value, at, length);
        }
        at += length;
    }
    text += '"';
}

std::string string_array(const std::vector<std::string> &values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ',';
        append_string(text, values[i]);
    }
    return text + "]";
}

// "key": followed by the array of rows, one row per line.
void append_array(std::string &text, const char *key, const std::vector<std::string> &rows) {
    text += "  \"";
    text += key;
    text += "\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += rows[i];
    }
    text += rows.empty() ? "]" : "\n  ]";
}

std::vector<std::string> element_rows(const Lattice &lattice, int count) {
    std::vector<std::string> canonical = element_canonical_texts(lattice, count);
    std::vector<std::string> rows;
    for (int e = 0; e < count; ++e) {
        std::string row = "{\"name\":";
        // Past the names an element has none.
        if (element_named(lattice, e)) append_string(row, element_name(lattice, e));
        else row += "null";
        row += ",\"term\":";
        append_string(row, element_term(lattice, e));
        row += ",\"canonical\":";
        append_string(row, canonical[static_cast<std::size_t>(e)]);
        rows.push_back(row + "}");
    }
    return rows;
}

enum class Table { ORDER, JOINS, MEETS };

// One entry: 0 or 1 for the order; for a join or meet the element's index,
// or null where it is unknown or not listed (at the limit, the element made
// last may be past the elements listed).
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

// "key": followed by the table's rows, one per line: a table of thousands of
// elements has a hundred million entries, written straight into the text.
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
std::vector<std::string> decision_rows(const std::vector<DecidedRelation> &decisions) {
    std::vector<std::string> rows;
    for (const DecidedRelation &decision : decisions) {
        std::string row = "{\"relation\":";
        append_string(row, decision.relation);
        row += decision.holds ? ",\"holds\":true}" : ",\"holds\":false}";
        rows.push_back(row);
    }
    return rows;
}

// The term as typed, its form, and its element's number or null.
std::vector<std::string> canonical_rows(const std::vector<CanonicalNote> &forms) {
    std::vector<std::string> rows;
    for (const CanonicalNote &form : forms) {
        std::string row = "{\"term\":";
        append_string(row, form.term);
        row += ",\"canonical\":";
        append_string(row, form.canonical);
        row += ",\"element\":" + (form.element > 0 ? std::to_string(form.element) : std::string("null"));
        rows.push_back(row + "}");
    }
    return rows;
}

}  // namespace

std::string json_text(const Lattice &lattice, int count, const ResultNotes &notes) {
    // Keys in the order a reader expects them, not sorted.
    std::string text = "{\n  \"generators\": " + std::to_string(lattice.generators()) +
                       ",\n  \"closed\": " + (lattice.closed() ? "true" : "false") + ",\n";
    FinitenessVerdict verdict = finiteness_of_result(lattice);
    text += std::string("  \"finite\": ") +
            (verdict.finiteness == Finiteness::FINITE     ? "true"
             : verdict.finiteness == Finiteness::INFINITE ? "false"
                                                          : "null") +
            ",\n  \"verdict\": ";
    append_string(text, verdict.text);
    text += ",\n";
    // Meets first, as the questions come.
    text += "  \"defined\": {\"meets\": " + string_array(notes.meets) + ", \"joins\": " + string_array(notes.joins) +
            "},\n";
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
    if (notes.canonicalized) {
        text += ",\n";
        append_array(text, "canonical_forms", canonical_rows(notes.canonical_forms));
    }
    text += "\n}\n";
    return text;
}

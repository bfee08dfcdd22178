// The key translator against the cases in tests/data/console: every form of
// every key a terminal sends, with modifiers, cut-off and unknown sequences,
// a lone ESC, Alt via an ESC prefix and UTF-8 input.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "console/key_translator.h"
#include "data_files.h"

namespace {

// A pause longer than the ESC wait, in the byte notation of the data files.
constexpr int PAUSE = -1;

void append_utf8(std::vector<int> &bytes, unsigned long cp) {
    if (cp < 0x80) {
        bytes.push_back(static_cast<int>(cp));
    } else if (cp < 0x800) {
        bytes.push_back(static_cast<int>(0xC0 | (cp >> 6)));
        bytes.push_back(static_cast<int>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        bytes.push_back(static_cast<int>(0xE0 | (cp >> 12)));
        bytes.push_back(static_cast<int>(0x80 | ((cp >> 6) & 0x3F)));
        bytes.push_back(static_cast<int>(0x80 | (cp & 0x3F)));
    } else {
        bytes.push_back(static_cast<int>(0xF0 | (cp >> 18)));
        bytes.push_back(static_cast<int>(0x80 | ((cp >> 12) & 0x3F)));
        bytes.push_back(static_cast<int>(0x80 | ((cp >> 6) & 0x3F)));
        bytes.push_back(static_cast<int>(0x80 | (cp & 0x3F)));
    }
}

std::vector<int> parse_bytes(const std::string &text) {
    std::vector<int> bytes;
    std::istringstream tokens(text);
    std::string token;
    while (tokens >> token) {
        if (token == "ESC") {
            bytes.push_back(27);
        } else if (token == "CSI") {
            bytes.insert(bytes.end(), {27, '['});
        } else if (token == "SS3") {
            bytes.insert(bytes.end(), {27, 'O'});
        } else if (token == "CR") {
            bytes.push_back(13);
        } else if (token == "LF") {
            bytes.push_back(10);
        } else if (token == "TAB") {
            bytes.push_back(9);
        } else if (token == "BS") {
            bytes.push_back(8);
        } else if (token == "DEL") {
            bytes.push_back(127);
        } else if (token == "NUL") {
            bytes.push_back(0);
        } else if (token == "SP") {
            bytes.push_back(' ');
        } else if (token == "PAUSE") {
            bytes.push_back(PAUSE);
        } else if (token.size() == 2 && token[0] == '^') {
            bytes.push_back(token[1] ^ 0x40);
        } else if (token.size() == 4 && token.rfind("\\x", 0) == 0) {
            bytes.push_back(std::stoi(token.substr(2), nullptr, 16));
        } else if (token.rfind("U+", 0) == 0) {
            append_utf8(bytes, std::stoul(token.substr(2), nullptr, 16));
        } else if (std::size_t star = token.find('*');
                   star != std::string::npos && star > 0 && star + 1 < token.size() &&
                   token.find_first_not_of("0123456789") == star) {
            std::vector<int> once = parse_bytes(token.substr(star + 1));
            for (int n = std::stoi(token.substr(0, star)); n > 0; --n) {
                bytes.insert(bytes.end(), once.begin(), once.end());
            }
        } else {
            for (char c : token) bytes.push_back(static_cast<unsigned char>(c));
        }
    }
    return bytes;
}

// Feeds the bytes as the terminal device does: pauses and the end of input
// count as the ESC wait running out. Returns the keys as "L,S" or "N".
std::string translate(const std::vector<int> &bytes) {
    KeyTranslator translator;
    key_translator_reset(translator);
    std::string codes;
    auto add = [&codes](const TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS], int count) {
        for (int i = 0; i < count; ++i) {
            if (!codes.empty()) codes += ' ';
            codes += std::to_string(keys[i].lead);
            if (keys[i].second >= 0) codes += "," + std::to_string(keys[i].second);
        }
    };
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    for (int byte : bytes) {
        if (byte == PAUSE) {
            add(keys, key_translator_timeout(translator, keys));
        } else {
            add(keys, key_translator_feed(translator, static_cast<unsigned char>(byte), keys));
        }
    }
    add(keys, key_translator_timeout(translator, keys));
    return codes.empty() ? "none" : codes;
}

struct Case {
    int line;
    std::string input;
    std::string expected;
};

std::vector<Case> read_cases(const std::string &name) {
    std::vector<Case> cases;
    std::istringstream lines(data_files::read(name));
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::size_t arrow = line.find(" => ");
        if (arrow == std::string::npos) {
            ADD_FAILURE() << name << ":" << number << ": no \" => \" in: " << line;
            continue;
        }
        cases.push_back({number, line.substr(0, arrow), line.substr(arrow + 4)});
    }
    return cases;
}

void check_file(const std::string &name, std::size_t at_least) {
    std::vector<Case> cases = read_cases(name);
    EXPECT_GE(cases.size(), at_least) << name;
    for (const Case &c : cases) {
        EXPECT_EQ(translate(parse_bytes(c.input)), c.expected)
            << name << ":" << c.line << ": " << c.input;
    }
}

TEST(KeyTranslator, SingleBytesEscapeUtf8AndUnknownSequences) {
    check_file("console/single_keys.txt", 140);
}

TEST(KeyTranslator, MovementAndFunctionKeysWithEveryModifier) {
    check_file("console/modified_keys.txt", 500);
}

TEST(KeyTranslator, LoneEscapeWaitsForTheTimeout) {
    KeyTranslator translator;
    key_translator_reset(translator);
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    EXPECT_FALSE(key_translator_incomplete(translator));
    EXPECT_EQ(key_translator_feed(translator, 27, keys), 0);
    EXPECT_TRUE(key_translator_incomplete(translator));
    ASSERT_EQ(key_translator_timeout(translator, keys), 1);
    EXPECT_EQ(keys[0].lead, 27);
    EXPECT_EQ(keys[0].second, -1);
    EXPECT_FALSE(key_translator_incomplete(translator));
    // Silence with nothing in progress gives nothing.
    EXPECT_EQ(key_translator_timeout(translator, keys), 0);
}

TEST(KeyTranslator, IncompleteUntilTheFinalByte) {
    KeyTranslator translator;
    key_translator_reset(translator);
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    for (unsigned char byte : std::string("\x1b[23;5")) {
        EXPECT_EQ(key_translator_feed(translator, byte, keys), 0);
        EXPECT_TRUE(key_translator_incomplete(translator));
    }
    ASSERT_EQ(key_translator_feed(translator, '~', keys), 1);
    EXPECT_EQ(keys[0].lead, 224);
    EXPECT_EQ(keys[0].second, 137);
    EXPECT_FALSE(key_translator_incomplete(translator));
}

// Inside a string's payload a pause changes nothing, so the terminal device
// must not wake for one; around the introducer and the ST it must.
TEST(KeyTranslator, StringPayloadWaitsWithoutTheEscapeWait) {
    KeyTranslator translator;
    key_translator_reset(translator);
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    const std::string reply = "\x1b]11;rgb:0/0/0\x1b\\";
    const std::string waits = "1100000000000010";
    for (std::size_t i = 0; i < reply.size(); ++i) {
        EXPECT_EQ(key_translator_feed(translator, static_cast<unsigned char>(reply[i]), keys), 0);
        EXPECT_EQ(key_translator_incomplete(translator), waits[i] == '1') << "after byte " << i;
    }
}

TEST(KeyTranslator, EndlessSequenceIsConsumedWithFixedMemory) {
    KeyTranslator translator;
    key_translator_reset(translator);
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    const std::string opening = "\x1b[";
    for (unsigned char byte : opening) key_translator_feed(translator, byte, keys);
    for (int i = 0; i < 100000; ++i) {
        ASSERT_EQ(key_translator_feed(translator, i % 7 == 0 ? ';' : '9', keys), 0);
    }
    EXPECT_EQ(key_translator_feed(translator, 'A', keys), 0);
    ASSERT_EQ(key_translator_feed(translator, 'x', keys), 1);
    EXPECT_EQ(keys[0].lead, 'x');
}

TEST(KeyTranslator, ResetForgetsASequenceInProgress) {
    KeyTranslator translator;
    key_translator_reset(translator);
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    key_translator_feed(translator, 27, keys);
    key_translator_feed(translator, '[', keys);
    key_translator_reset(translator);
    ASSERT_EQ(key_translator_feed(translator, 'A', keys), 1);
    EXPECT_EQ(keys[0].lead, 'A');
}

}  // namespace

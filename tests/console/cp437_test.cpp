// Code page 437 both ways: console bytes as the terminal shows them, typed
// characters as the bytes they stand for.
#include <gtest/gtest.h>

#include <string>

#include "console/cp437.h"
#include "data_files.h"

namespace {

std::string shown(int byte) {
    char text[CP437_UTF8_MAX];
    int length = cp437_to_utf8(static_cast<unsigned char>(byte), text);
    return std::string(text, static_cast<std::size_t>(length));
}

unsigned long decode(const std::string &text) {
    unsigned char lead = static_cast<unsigned char>(text[0]);
    if (text.size() == 1) return lead;
    unsigned long cp = text.size() == 2 ? (lead & 0x1Fu) : (lead & 0x0Fu);
    for (std::size_t i = 1; i < text.size(); ++i) cp = (cp << 6) | (text[i] & 0x3Fu);
    return cp;
}

TEST(Cp437Display, EveryByteAsTheTable) {
    std::string grid =
        "# Console bytes 0..255 as the terminal shows them, 16 a row, row label the\n"
        "# first byte. Bytes 8, 10 and 13 act as controls and are shown here as \"\u00B7\".\n";
    for (int row = 0; row < 256; row += 16) {
        char label[8];
        std::snprintf(label, sizeof label, "%03d ", row);
        grid += label;
        for (int byte = row; byte < row + 16; ++byte) {
            grid += byte == 8 || byte == 10 || byte == 13 ? "\u00B7" : shown(byte);
        }
        grid += '\n';
    }
    data_files::expect_equal(grid, "console/cp437_glyphs.txt");
}

TEST(Cp437Display, TableLinesAndControls) {
    EXPECT_EQ(shown(179), "\u2502");
    EXPECT_EQ(shown(196), "\u2500");
    EXPECT_EQ(shown(197), "\u253C");
    EXPECT_EQ(shown(8), "\b");
    EXPECT_EQ(shown(10), "\n");
    EXPECT_EQ(shown(13), "\r");
    EXPECT_EQ(shown(0), " ");
    EXPECT_EQ(shown(27), "\u2190");
    EXPECT_EQ(shown(127), "\u2302");
    EXPECT_EQ(shown(255), "\u00A0");
}

TEST(Cp437Display, NoByteBecomesAnyOtherControl) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string text = shown(byte);
        for (char c : text) {
            unsigned char u = static_cast<unsigned char>(c);
            bool control = u < 32 || u == 127;
            if (control) {
                EXPECT_TRUE(u == 8 || u == 10 || u == 13) << "byte " << byte;
            }
        }
    }
}

TEST(Cp437Display, GeneratedNamesAreDistinctCharacters) {
    // Names of generated elements run to 195: each must show as its own
    // single character.
    for (int a = 128; a <= 195; ++a) {
        EXPECT_NE(shown(a).size(), 1u) << a;
        for (int b = a + 1; b <= 195; ++b) EXPECT_NE(shown(a), shown(b)) << a << " " << b;
    }
}

TEST(Cp437Input, CharactersGiveTheirBytes) {
    EXPECT_EQ(cp437_from_unicode(0x00E9), 130);
    EXPECT_EQ(cp437_from_unicode(0x00FC), 129);
    EXPECT_EQ(cp437_from_unicode(0x00C7), 128);
    EXPECT_EQ(cp437_from_unicode(0x00F1), 164);
    EXPECT_EQ(cp437_from_unicode(0x00A3), 156);
    EXPECT_EQ(cp437_from_unicode(0x00A7), 21);
    EXPECT_EQ(cp437_from_unicode(0x00B6), 20);
    EXPECT_EQ(cp437_from_unicode(0x2502), 179);
    EXPECT_EQ(cp437_from_unicode('a'), 'a');
    EXPECT_EQ(cp437_from_unicode(0x20AC), -1);
    EXPECT_EQ(cp437_from_unicode(0x1F600), -1);
    EXPECT_EQ(cp437_from_unicode(0), -1);
    EXPECT_EQ(cp437_from_unicode(1), -1);
    // Glyphs of the bytes that act as controls do not stand for them.
    EXPECT_EQ(cp437_from_unicode(0x25D8), -1);
    EXPECT_EQ(cp437_from_unicode(0x25D9), -1);
    EXPECT_EQ(cp437_from_unicode(0x266A), -1);
}

TEST(Cp437Input, EveryShownCharacterReadsBackAsItsByte) {
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == 8 || byte == 10 || byte == 13) continue;
        EXPECT_EQ(cp437_from_unicode(decode(shown(byte))), byte) << byte;
    }
}

}  // namespace

// The screen model the pty tests compare with: as an 80-column xterm shows.
#include <gtest/gtest.h>

#include <string>

#include "screen_model.h"

namespace {

TEST(ScreenModel, CarriageReturnNewLineAndBackspace) {
    ScreenModel screen;
    screen.feed("abc\b\bX\r\nline two\rL");
    EXPECT_EQ(screen.text(), "aXc\nLine two\n");
    EXPECT_EQ(screen.row(), 1);
    EXPECT_EQ(screen.column(), 1);
}

TEST(ScreenModel, BackspaceThenBlankErasesTheLastCharacter) {
    ScreenModel screen;
    screen.feed("ab\b \b");
    EXPECT_EQ(screen.text(), "a\n");
    EXPECT_EQ(screen.column(), 1);
}

TEST(ScreenModel, WrapsOnlyWhenACharacterFollowsTheLastColumn) {
    ScreenModel screen;
    std::string full(80, 'x');
    screen.feed(full);
    EXPECT_EQ(screen.row(), 0);
    screen.feed("\r\n");
    EXPECT_EQ(screen.row(), 1);
    screen.feed(full + "y");
    EXPECT_EQ(screen.text(), full + "\n" + full + "\ny\n");
}

TEST(ScreenModel, KeepsEveryLineScrolledPast) {
    ScreenModel screen;
    std::string expected;
    for (int i = 0; i < 60; ++i) {
        screen.feed(std::to_string(i) + "\r\n");
        expected += std::to_string(i) + "\n";
    }
    EXPECT_EQ(screen.text(), expected);
}

TEST(ScreenModel, Utf8CharactersTakeOneColumnEvenWhenSplit) {
    ScreenModel screen;
    screen.feed("\xe2\x94");
    screen.feed("\x82x\xc3\xa9");
    EXPECT_EQ(screen.text(), "\u2502x\u00e9\n");
    EXPECT_EQ(screen.column(), 3);
}

TEST(ScreenModel, CountsStrayControlsWithoutShowingThem) {
    ScreenModel screen;
    screen.feed("a\x1b[2Jb\x07\x7f");
    EXPECT_EQ(screen.stray_controls(), 3);
    EXPECT_EQ(screen.text(), "a[2Jb\n");
}

}  // namespace

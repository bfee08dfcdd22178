// The console's output buffer on a pipe: text goes out whole and in order,
// once, whether the program or a signal handler writes it out; a failed write
// ends the output for good.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "console/posix/output_buffer.h"

namespace {

std::string read_available(int fd) {
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<size_t>(got));
    return text;
}

TEST(OutputBuffer, HandlerFlushBetweenAddsNeitherRepeatsNorLosesText) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_NONBLOCK), 0);
    output_buffer_reset();
    output_buffer_attach(ends[1]);
    ASSERT_TRUE(output_buffer_add("abc", 3));
    EXPECT_EQ(read_available(ends[0]), "") << "written before a flush";
    output_buffer_flush_from_handler();
    ASSERT_TRUE(output_buffer_add("def", 3));
    output_buffer_flush_from_handler();
    output_buffer_flush_from_handler();
    ASSERT_TRUE(output_buffer_add("g", 1));
    ASSERT_TRUE(output_buffer_flush());
    EXPECT_EQ(read_available(ends[0]), "abcdefg");
    // More than the buffer holds, a byte at a time: all of it, in order.
    std::string many;
    for (int i = 0; i < 20000; ++i) many += static_cast<char>('a' + i % 26);
    std::string seen;
    for (char c : many) {
        ASSERT_TRUE(output_buffer_add(&c, 1));
        seen += read_available(ends[0]);
    }
    ASSERT_TRUE(output_buffer_flush());
    EXPECT_EQ(seen + read_available(ends[0]), many);
    close(ends[0]);
    close(ends[1]);
    output_buffer_reset();
}

TEST(OutputBuffer, FailedWriteEndsTheOutputForGood) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    output_buffer_reset();
    output_buffer_attach(ends[0]);  // the read end: every write fails
    EXPECT_TRUE(output_buffer_add("x", 1));
    EXPECT_FALSE(output_buffer_flush());
    EXPECT_EQ(output_buffer_error(), EBADF);
    EXPECT_FALSE(output_buffer_add("y", 1));
    EXPECT_FALSE(output_buffer_flush());
    close(ends[0]);
    close(ends[1]);
    output_buffer_reset();
    EXPECT_EQ(output_buffer_error(), 0);
}

}  // namespace

#include "storage/RegularFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

// Slow and interrupted reads and writes are what a file on a network or user-space
// file system gives: each step below answers as read(2) would, with a count or -1 and errno.
TEST(TransferAll, RetriesInterruptedStepsAndStopsAtTheEndOrAnError)
{
    struct Case {
        std::vector<std::pair<ssize_t, int>> steps; // what each step answers, and its errno
        std::size_t moved;
        int error;
    };
    const Case cases[] = {
        {{{-1, EINTR}, {3, 0}, {-1, EINTR}, {2, 0}}, 5, 0},
        {{{1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}}, 5, 0},
        {{{2, 0}, {0, 0}}, 2, 0},
        {{{2, 0}, {-1, EIO}}, 2, EIO},
        {{{-1, ENOSPC}}, 0, ENOSPC},
    };
    for (const Case& c : cases) {
        std::size_t next = 0;
        std::size_t expectedDone = 0;
        const std::size_t moved = TransferAll(5, [&](std::size_t done, std::size_t left) -> ssize_t {
            EXPECT_EQ(done, expectedDone);
            EXPECT_EQ(done + left, 5u);
            const auto [answer, error] = c.steps.at(next++);
            errno = error;
            if (answer > 0) {
                expectedDone += static_cast<std::size_t>(answer);
            }
            return answer;
        });
        EXPECT_EQ(moved, c.moved);
        EXPECT_EQ(errno, c.error);
        EXPECT_EQ(next, c.steps.size());
    }
}

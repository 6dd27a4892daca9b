#include "app/BatchCommandLine.h"

#include <gtest/gtest.h>

// That a rebuilt command line carries every argument exactly, or names the one
// it cannot, the batch fuzz target checks and the batch process tests show.
TEST(BatchCommandLine, SplitsIntoTargetSourceAndOptions)
{
    const struct {
        const char* line;
        std::vector<std::string> tokens;
    } cases[] = {
        {"a b", {"a", "b"}},
        {"   a    b   /Q", {"a", "b", "/Q"}},
        {"\"C:\\Program Files\\gdi.exe\" b", {"C:\\Program Files\\gdi.exe", "b"}},
        {"'C:\\Program Files\\gdi.exe' b", {"C:\\Program Files\\gdi.exe", "b"}},
        {"ab\"c d\"ef x", {"abc def", "x"}},
        {"a\"b c'd e", {"ab cd", "e"}},     // an apostrophe closes what a double quote opened
        {"\"\" a b", {"a", "b"}},           // empty quotes make no token
        {"a \"b x", {"a", "b x"}},          // unclosed quotes take the rest of the line
        {"a b x /q", {"a", "b", "x"}},      // a fourth token is not read
        {"a\tb c", {"a\tb", "c"}},          // a tab is no separator
        {"x\\\"y z\" w", {"x\\y z", "w"}}, // no escape character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitBatchCommandLine(c.line, 3), c.tokens) << c.line;
    }
}

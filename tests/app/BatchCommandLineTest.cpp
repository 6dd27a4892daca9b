#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(BatchCommandLine, SplitsIntoTargetSourceAndOptions)
{
    struct Case {
        const char* line;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(AfxSplitCommandLine(c.line, 3), c.tokens) << c.line;
    }
}

TEST(BatchCommandLine, TheRebuiltLineCarriesEveryArgumentExactlyOrNamesTheOneItCannot)
{
    struct Case {
        std::vector<std::string> arguments;
        int uncarriable;
    };
    const Case cases[] = {
        {{}, 0},
        {{"/tmp/my dir/gdi.exe", "src.exe", "/q"}, 0},
        {{"a\tb", " c", "\x01"}, 0},
        {{"", "b"}, 1},
        {{"a", "O'Neil's.exe"}, 2},
        {{"a", "b", "\"/q\""}, 3},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("varno")};
        for (const std::string& argument : c.arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        const int argc = static_cast<int>(argv.size());
        EXPECT_EQ(AfxFindUncarriableArgument(argc, argv.data()), c.uncarriable);
        if (c.uncarriable == 0) {
            EXPECT_EQ(AfxSplitCommandLine(AfxBuildCommandLine(argc, argv.data()).c_str(), 99), c.arguments);
        }
    }
}

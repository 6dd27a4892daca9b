#include "app/BatchCommandLine.h"
#include "platform/CWinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(BatchCommandLine, SplitsIntoTargetSourceAndOptions)
{
    struct Case {
        const char* line;
        const char* target;
        const char* source;
        const char* options;
    };
    const Case cases[] = {
        {"a b", "a", "b", ""},
        {"a b /q", "a", "b", "/q"},
        {"   a    b   /Q", "a", "b", "/Q"},
        {"a b   ", "a", "b", ""},
        {"\"C:\\Program Files\\gdi.exe\" b", "C:\\Program Files\\gdi.exe", "b", ""},
        {"'C:\\Program Files\\gdi.exe' b", "C:\\Program Files\\gdi.exe", "b", ""},
        {"ab\"c d\"ef x", "abc def", "x", ""},
        {"a\"b c'd e", "ab cd", "e", ""},          // an apostrophe closes what a double quote opened
        {"\"\" a b", "a", "b", ""},                 // empty quotes make no token
        {"a \"b x", "a", "b x", ""},                // unclosed quotes take the rest of the line
        {"a b x /q", "a", "b", "x"},                // a fourth token is ignored
        {"a\tb c", "a\tb", "c", ""},                // a tab is no separator
        {"/dde", "/dde", "", ""},
        {"x\\\"y z\" w", "x\\y z", "w", ""},       // no escape character
    };
    for (const Case& c : cases) {
        BatchTokens tokens = TokeniseBatchCommandLine(c.line);
        EXPECT_FALSE(tokens.tokenTooLong) << c.line;
        EXPECT_EQ(tokens.target, c.target) << c.line;
        EXPECT_EQ(tokens.source, c.source) << c.line;
        EXPECT_EQ(tokens.options, c.options) << c.line;
    }
}

TEST(BatchCommandLine, RefusesATokenLongerThan255Characters)
{
    std::string longest(255, 'x');
    BatchTokens fits = TokeniseBatchCommandLine((longest + " b").c_str());
    EXPECT_FALSE(fits.tokenTooLong);
    EXPECT_EQ(fits.target, longest);

    EXPECT_TRUE(TokeniseBatchCommandLine(("a " + longest + "y").c_str()).tokenTooLong);
    // Text after the third token is never stored, so its length does not matter.
    EXPECT_FALSE(TokeniseBatchCommandLine(("a b c " + longest + "y").c_str()).tokenTooLong);
}

TEST(BatchCommandLine, RebuiltCommandLineGivesTheShellsArgumentsBack)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* line;
    };
    const Case cases[] = {
        {{}, ""},
        {{"/tmp/my dir/gdi.exe", "src.exe", "/q"}, "\"/tmp/my dir/gdi.exe\" src.exe /q"},
        {{"", "b"}, "\"\" b"},
        {{"a\tb", "c"}, "\"a\tb\" c"},
        {{"a", "b"}, "a b"},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("varno")};
        for (const std::string& argument : c.arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        std::string line = AfxBuildCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(line, c.line);
        if (c.arguments.size() >= 2 && !c.arguments[0].empty()) {
            BatchTokens tokens = TokeniseBatchCommandLine(line.c_str());
            EXPECT_EQ(tokens.target, c.arguments[0]);
            EXPECT_EQ(tokens.source, c.arguments[1]);
        }
    }
}

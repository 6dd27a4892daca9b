#include "tables/C9xCodePageHandler.h"
#include "tables/CKeyboardHandler.h"
#include "tables/CNtCodePageHandler.h"


#include <gtest/gtest.h>

#include <functional>
#include <memory>

TEST(HandlerLength, EachKindNamesTheShortestImageItTakes)
{
    struct Case {
        const char* kind;
        std::function<std::unique_ptr<CTableHandler>()> make;
        std::int32_t shortest;
    };
    const Case cases[] = {
        {"NT", [] { return std::make_unique<CNtCodePageHandler>(); }, 66082},
        {"9x", [] { return std::make_unique<C9xCodePageHandler>(); }, 1186},
        {"keyboard", [] { return std::make_unique<CKeyboardHandler>(); }, 401},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        for (std::int32_t length : {0, c.shortest - 1, c.shortest, c.shortest + 1000}) {
            std::unique_ptr<CTableHandler> handler = c.make();
            EXPECT_FALSE(handler->IsImageLongEnough()) << "without an image";
            ASSERT_TRUE(handler->AllocateData(length));
            EXPECT_EQ(handler->IsImageLongEnough(), length >= c.shortest) << length;
        }
    }
}

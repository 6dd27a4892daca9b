#include "res/Resource.h"

#include "platform/Display.h"
#include "platform/ResourceIcons.h"

#include <QIcon>
#include <QList>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

class IconResources : public testing::Test {
protected:
    void SetUp() override { AfxEnsureGuiApplication(); }
};

TEST_F(IconResources, BothIconsComeInBothSizes)
{
    for (UINT id : {IDR_MAINFRAME, IDR_VARNOTYPE}) {
        SCOPED_TRACE(id);
        const QIcon icon = AfxLoadIcon(id);
        ASSERT_FALSE(icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)));
        EXPECT_TRUE(sizes.contains(QSize(32, 32)));
        EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
        EXPECT_EQ(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
    }
    EXPECT_TRUE(AfxLoadIcon(IDR_MAINFRAME + 1000).isNull());
}

} // namespace

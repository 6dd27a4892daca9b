#include "res/Resource.h"

#include "platform/Display.h"
#include "platform/ResourceIcons.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSet>

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

TEST_F(IconResources, ImagesUseSixteenColoursAtMost)
{
    for (const char* name : {"icon-128-32", "icon-128-16", "icon-129-32", "icon-129-16"}) {
        SCOPED_TRACE(name);
        const QImage image(QStringLiteral(":/varno/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(image.isNull());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                // A pixel is shown or masked: nothing in between.
                EXPECT_TRUE(qAlpha(pixel) == 0 || qAlpha(pixel) == 255);
                if (qAlpha(pixel) == 255) {
                    colours.insert(pixel);
                }
            }
        }
        EXPECT_LE(colours.size(), 16);
        EXPECT_GE(colours.size(), 3) << "not a drawing";
    }
}

} // namespace

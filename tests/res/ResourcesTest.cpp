#include "res/Resource.h"

#include "platform/AfxRes.h"
#include "platform/Display.h"
#include "platform/ResourceIcons.h"
#include "platform/ResourceMenus.h"

#include <QIcon>
#include <QKeySequence>
#include <QString>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Resources, BothIconsComeInBothSizes)
{
    AfxEnsureGuiApplication();
    VarnoRegisterResources();
    for (UINT id : {IDR_MAINFRAME, IDR_VARNOTYPE}) {
        const QList<QSize> sizes = AfxLoadIcon(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << id;
    }
}

// The items of a pop-up, and of the pop-ups within it, have access keys unique among them; none is grayed.
void ExpectItemsWellFormed(std::span<const AfxMenuItem> items)
{
    std::set<int> itemKeys;
    for (const AfxMenuItem& item : items) {
        // The recent-file list replaces its placeholder.
        if (item.IsSeparator() || item.id == ID_FILE_MRU_FILE1) {
            continue;
        }
        EXPECT_FALSE(item.IsGrayed()) << item.text;
        const QKeySequence key = QKeySequence::mnemonic(QString::fromUtf8(item.text));
        ASSERT_FALSE(key.isEmpty()) << item.text << " has no access key";
        EXPECT_TRUE(itemKeys.insert(key[0].key()).second) << item.text;
        if (item.IsPopup()) {
            ExpectItemsWellFormed(item.items);
        }
    }
}

// Access keys are unique among the titles and within each pop-up; no command is grayed.
TEST(Resources, EveryPopupIsWellFormed)
{
    VarnoRegisterResources();
    for (UINT id : {IDR_MAINFRAME, IDR_VARNOTYPE}) {
        SCOPED_TRACE(id);
        std::set<int> titleKeys;
        for (const AfxMenuItem& popup : AfxFindMenu(id)->items) {
            EXPECT_TRUE(titleKeys.insert(QKeySequence::mnemonic(QString::fromUtf8(popup.text))[0].key()).second) << popup.text;
            ExpectItemsWellFormed(popup.items);
        }
    }
}

} // namespace

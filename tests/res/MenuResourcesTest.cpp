#include "res/Resource.h"

#include "platform/AfxRes.h"
#include "platform/Display.h"
#include "platform/ResourceAccelerators.h"
#include "platform/ResourceMenus.h"

#include <QKeySequence>
#include <QString>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

class MenuResources : public testing::Test {
protected:
    void SetUp() override { VarnoRegisterResources(); }

    static std::vector<const AfxMenuItem*> Commands(const AfxMenuResource& menu)
    {
        std::vector<const AfxMenuItem*> commands;
        for (const AfxMenuItem& popup : menu.items) {
            for (const AfxMenuItem& item : popup.items) {
                if (!item.IsSeparator()) {
                    commands.push_back(&item);
                }
            }
        }
        return commands;
    }

    static bool HasCommand(const AfxMenuResource& menu, UINT id)
    {
        for (const AfxMenuItem* item : Commands(menu)) {
            if (item->id == id) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(MenuResources, BothMenusAreRegisteredAndNothingElse)
{
    ASSERT_NE(AfxFindMenu(IDR_MAINFRAME), nullptr);
    ASSERT_NE(AfxFindMenu(IDR_VARNOTYPE), nullptr);
    EXPECT_EQ(AfxFindMenu(IDR_MAINFRAME + 100), nullptr);
    EXPECT_NE(AfxFindAcceleratorTable(IDR_MAINFRAME), nullptr);
    EXPECT_EQ(AfxFindAcceleratorTable(IDR_VARNOTYPE), nullptr) << "one table serves every window";
}

TEST_F(MenuResources, FontIsReachableOnlyWithADocument)
{
    const AfxMenuResource& empty = *AfxFindMenu(IDR_MAINFRAME);
    ASSERT_EQ(empty.items.size(), 2U);
    EXPECT_STREQ(empty.items[0].text, "&File");
    EXPECT_STREQ(empty.items[1].text, "&Help");
    EXPECT_FALSE(HasCommand(empty, ID_EDIT_FONT));
    EXPECT_FALSE(HasCommand(empty, ID_FILE_SAVE));
    EXPECT_TRUE(HasCommand(*AfxFindMenu(IDR_VARNOTYPE), ID_EDIT_FONT));
}

TEST_F(MenuResources, EveryPopupIsWellFormed)
{
    for (UINT id : {IDR_MAINFRAME, IDR_VARNOTYPE}) {
        SCOPED_TRACE(id);
        const AfxMenuResource& menu = *AfxFindMenu(id);
        std::set<int> titleKeys;
        for (const AfxMenuItem& popup : menu.items) {
            ASSERT_TRUE(popup.IsPopup());
            ASSERT_FALSE(popup.items.empty());
            // Access keys are unique among the titles and within each pop-up.
            EXPECT_TRUE(titleKeys.insert(QKeySequence::mnemonic(QString::fromUtf8(popup.text))[0].key()).second) << popup.text;
            std::set<int> itemKeys;
            int recentFiles = 0;
            for (const AfxMenuItem& item : popup.items) {
                if (item.IsSeparator()) {
                    EXPECT_EQ(item.text, nullptr);
                    continue;
                }
                ASSERT_NE(item.text, nullptr);
                EXPECT_NE(item.id, 0U) << item.text;
                if (item.id == ID_FILE_MRU_FILE1) {
                    // The placeholder that the recent-file list replaces.
                    ++recentFiles;
                    EXPECT_TRUE(item.IsGrayed());
                    continue;
                }
                EXPECT_FALSE(item.IsGrayed()) << item.text;
                const QKeySequence key = QKeySequence::mnemonic(QString::fromUtf8(item.text));
                ASSERT_FALSE(key.isEmpty()) << item.text << " has no access key";
                EXPECT_TRUE(itemKeys.insert(key[0].key()).second) << item.text;
            }
            EXPECT_EQ(recentFiles, QString::fromUtf8(popup.text) == QStringLiteral("&File") ? 1 : 0);
        }
    }
}

TEST_F(MenuResources, ShortcutTextsNameAcceleratorsOfTheSameCommand)
{
    const AfxAcceleratorTable& table = *AfxFindAcceleratorTable(IDR_MAINFRAME);
    for (UINT id : {IDR_MAINFRAME, IDR_VARNOTYPE}) {
        for (const AfxMenuItem* item : Commands(*AfxFindMenu(id))) {
            const QString text = QString::fromUtf8(item->text);
            const qsizetype tab = text.indexOf(u'\t');
            if (tab < 0) {
                continue;
            }
            const QKeySequence shown = QKeySequence::fromString(text.mid(tab + 1), QKeySequence::PortableText);
            bool found = false;
            for (const ACCEL& accel : table.entries) {
                found = found || (accel.cmd == item->id && AfxKeySequenceFromAccel(accel) == shown);
            }
            EXPECT_TRUE(found) << item->text;
        }
    }
}

TEST_F(MenuResources, AcceleratorKeysAreDistinctAndAllMapToQt)
{
    const AfxAcceleratorTable& table = *AfxFindAcceleratorTable(IDR_MAINFRAME);
    EXPECT_EQ(table.entries.size(), 13U);
    std::set<QString> keys;
    for (const ACCEL& accel : table.entries) {
        const QKeySequence key = AfxKeySequenceFromAccel(accel);
        ASSERT_EQ(key.count(), 1) << accel.cmd;
        EXPECT_TRUE(keys.insert(key.toString(QKeySequence::PortableText)).second) << "two entries for one key";
    }
}

} // namespace

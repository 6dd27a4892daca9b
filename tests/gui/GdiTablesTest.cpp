// A GDI module with several tables on the real windows: the choice above the grid shows one table in
// every window of the module; edits, Undo and Redo reach the table they were made on, and a save
// writes every table that changed.
#include "tests/gui/EditorFixture.h"

#include "document/OpenTablesFollowers.h"
#include "document/SourceTable.h"
#include "document/TableTake.h"
#include "tables/BuiltInCodePages.h"
#include "tables/CGdiTableHandler.h"
#include "tests/TestSupport.h"
#include "view/ClickEditing.h"
#include "view/TableLayout.h"

#include <QComboBox>
#include <QTest>

#include <algorithm>

namespace {

// Central European, Cyrillic and Greek tables, the Cyrillic one at an odd offset, resources 1 to 3.
const samples::GdiTablesOptions kThreeTables{.size = 8192, .offsets = {1000, 3001, 5000}};
constexpr std::size_t kLatin = 0;
constexpr std::size_t kCyrillic = 1;
constexpr std::size_t kGreek = 2;

// The two bytes of the entry of byte C1 in each table at the offsets.
std::vector<std::size_t> EntriesC1(std::initializer_list<std::size_t> tables)
{
    std::vector<std::size_t> bytes;
    for (const std::size_t offset : tables) {
        bytes.insert(bytes.end(), {offset + 2 * 0xC1, offset + 2 * 0xC1 + 1});
    }
    return bytes;
}

class GdiTables : public EditorTest {
protected:
    static QComboBox* ChoiceOf(CVarnoView* view) { return view->GetParentFrame()->GetWidget()->findChild<QComboBox*>(); }
    static QString TitleOf(CVarnoView* view) { return view->GetParentFrame()->GetWidget()->windowTitle(); }

    // Every window of the document chooses and shows the table.
    void ExpectShown(CVarnoDoc* document, std::size_t table, const char* name)
    {
        EXPECT_EQ(document->ShownTable(), table);
        const QString title = QStringLiteral("gdi.exe \u2014 table %1, %2").arg(table + 1).arg(QLatin1String(name));
        for (CVarnoView* view : Views(document)) {
            EXPECT_EQ(ChoiceOf(view)->currentIndex(), static_cast<int>(table));
            EXPECT_TRUE(TitleOf(view).startsWith(title)) << TitleOf(view).toStdString();
        }
    }

    // Byte C1 takes the value through the click's path, in the view's window.
    static void EditC1(CVarnoView* view, const QString& unicode)
    {
        DialogAnswer answer([&unicode](CDialog& dialog) {
            TypeInto(dialog, IDC_UNICODE, unicode);
            ClickButton(dialog, IDOK);
        });
        const RECT box = GetCharCellBox(view->GetClientTableArea(), 0xC1);
        EditAtPoint(*view, POINT{box.left + 1, box.top + 1});
    }

    // Which tables hold an entry changed since loading (green).
    static std::vector<bool> Changed(CVarnoDoc* document)
    {
        CGdiTableHandler& handler = *document->GdiModule();
        const std::size_t shown = handler.SelectedTable();
        std::vector<bool> changed;
        for (std::size_t table = 0; table < 3; ++table) {
            handler.SelectTable(table);
            changed.push_back(std::ranges::any_of(handler.m_modified, [](std::uint8_t flag) { return flag != 0; }));
        }
        handler.SelectTable(shown);
        return changed;
    }
};

} // namespace

TEST_F(GdiTables, EveryWindowShowsTheChosenTableWhichEditsSavesAndUndoesAlone)
{
    const samples::Bytes original = samples::MakeGdiModuleWithTables(kThreeTables);
    const std::string path = Sample("gdi.exe", original);
    CVarnoDoc* document = Open(path);
    ASSERT_NE(document, nullptr);
    // At the size at which the table is legible, the choice above it.
    EXPECT_TRUE(WaitFor([document] { return ShowsWholeTable(document); }));
    Command(ID_WINDOW_NEW);
    const std::vector<CVarnoView*> views = Views(document);
    ASSERT_EQ(views.size(), 2u);

    // Opened on the table that the Cyrillic signature finds; each listed by its match and resource.
    ExpectShown(document, kCyrillic, "windows-1251");
    QComboBox* choice = ChoiceOf(views[0]);
    ASSERT_EQ(choice->count(), 3);
    EXPECT_EQ(choice->itemText(kGreek).toStdString(), "3: windows-1253, 128 of 128 (resource 3)");

    // Alt+T reaches the choice of the active window, the arrow key takes the next table.
    static_cast<CMDIChildWnd*>(views[0]->GetParentFrame())->MDIActivate();
    MainWindow()->activateWindow();
    views[0]->GetWidget()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return views[0]->GetWidget()->hasFocus(); }));
    QTest::keyClick(views[0]->GetWidget(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(choice->hasFocus());
    QTest::keyClick(choice, Qt::Key_Down);
    ExpectShown(document, kGreek, "windows-1253");

    // An edit in the other window changes the Greek table alone, and the save writes it.
    EditC1(views[1], QStringLiteral("2603"));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(DifferingOffsets(Contents(path), original), EntriesC1({5000}));

    // An edit of another table after it: the next save writes both. The Compare window hears of the switch.
    int told = 0;
    QObject follower;
    FollowOpenTables(&follower, [&told] { ++told; });
    ChoiceOf(views[1])->activated(kLatin);
    EXPECT_EQ(told, 1);
    ExpectShown(document, kLatin, "windows-1250");
    EditC1(views[1], QStringLiteral("2604"));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(DifferingOffsets(Contents(path), original), EntriesC1({1000, 5000}));
    EXPECT_EQ(Changed(document), (std::vector<bool>{true, false, true}));

    // Undo, whatever table is shown, shows the table of its step again and takes back its change there.
    choice->activated(kCyrillic);
    Command(ID_EDIT_UNDO);
    ExpectShown(document, kLatin, "windows-1250");
    EXPECT_EQ(Changed(document), (std::vector<bool>{false, false, true}));
    choice->activated(kCyrillic);
    Command(ID_EDIT_UNDO);
    ExpectShown(document, kGreek, "windows-1253");
    EXPECT_EQ(Changed(document), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(DifferingOffsets({document->m_pHandler->m_data, document->m_pHandler->m_data + original.size()}, original),
              std::vector<std::size_t>{});
    choice->activated(kLatin);
    Command(ID_EDIT_REDO);
    ExpectShown(document, kGreek, "windows-1253");
    EXPECT_EQ(document->m_pHandler->Lookup(0xC1), 0x2603);
    EXPECT_EQ(Changed(document), (std::vector<bool>{false, false, true}));

    // The names follow what the table holds.
    EXPECT_EQ(choice->itemText(kGreek).toStdString(), "3: windows-1253, 127 of 128 (resource 3)");
    ASSERT_TRUE(TakeTable({document}, CodePageValues(*FindBuiltInCodePage("KOI8-R")), {}).Taken());
    ExpectShown(document, kGreek, "KOI8-R");
    EXPECT_EQ(choice->itemText(kGreek).toStdString(), "3: KOI8-R, 128 of 128 (resource 3)");
}

TEST_F(GdiTables, AFileWithOneTableOffersNoChoice)
{
    for (const auto& [name, bytes] : {std::pair{"one.exe", samples::MakeGdiModule({})}, std::pair{"c_1252.nls", Windows1252()}}) {
        CVarnoDoc* document = Open(Sample(name, bytes));
        ASSERT_NE(document, nullptr) << name;
        EXPECT_FALSE(ChoiceOf(ViewOf(document))->isVisible()) << name;
        EXPECT_EQ(TitleOf(ViewOf(document)).toStdString(), name);
    }
}

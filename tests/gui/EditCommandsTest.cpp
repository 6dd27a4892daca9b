// The Edit menu's ways to reach and take cells, on the real windows: Go to Byte and Find from their keys,
// with the matches marked; Copy, Copy Table and Export Mapping held against what varno-table prints; and
// the clicks that edit nothing: the one that brings a window to the front, and one in a reference.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/ProcessRun.h"
#include "tests/TestSupport.h"
#include "view/MatchMarks.h"
#include "view/TableViewInput.h"

#include <QClipboard>
#include <QStatusBar>

namespace {

class EditCommands : public EditorTest {
protected:
    std::string Status() const { return MainWindow()->statusBar()->currentMessage().toStdString(); }

    // The view's window with the focus, the main window active.
    QWidget* Focused(CVarnoDoc* document)
    {
        static_cast<CMDIChildWnd*>(ViewOf(document)->GetParentFrame())->MDIActivate();
        QWidget* window = ViewOf(document)->GetWidget();
        MainWindow()->activateWindow();
        window->setFocus();
        EXPECT_TRUE(WaitFor([window] { return window->hasFocus(); }));
        return window;
    }

    // A key of the main window's, and the command it sends run with its dialogs answered so.
    static int Press(QWidget* window, QKeyCombination key, const std::function<void(CDialog&)>& answer)
    {
        DialogAnswer dialogs(answer);
        QTest::keyClick(window, key.key(), key.keyboardModifiers());
        QCoreApplication::processEvents();
        return dialogs.Shown();
    }

    std::string VarnoTable(const std::string& command, const std::string& path)
    {
        const ProcessRun run = RunProcess(m_output, {VARNO_TABLE_EXECUTABLE, command, path}, {});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return run.out;
    }

    TempDir m_output;
};

// The bytes whose cells show the marks of Find's matches.
std::vector<int> MarkedCells(CVarnoView& view)
{
    const QImage seen = view.GetClientWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const RECT area = view_pixels::TableArea(view);
    std::vector<int> marked;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (view_pixels::Holds(seen, view_pixels::CellBox(area, byte), qRgb(255, 140, 0))) {
            marked.push_back(byte);
        }
    }
    return marked;
}

// One key after another in a grid and a key table, each with what its dialog is given (none: no dialog
// is shown), where the cursor goes and what the status bar says then.
TEST_F(EditCommands, GoToAndFindMoveTheCursorToTheirCells)
{
    samples::KeyboardLayoutOptions keys;
    keys.keys[3] = {0x00, 0xB9, true};
    keys.keys[5] = {0xB9, '%', false};
    CVarnoDoc* grid = Open(Sample("c_1252.nls", Windows1252()));
    CVarnoDoc* layout = Open(Sample("ru.kbd", samples::MakeKeyboardLayout(keys)));
    ASSERT_TRUE(grid != nullptr && layout != nullptr);
    const QKeyCombination goTo(Qt::ControlModifier, Qt::Key_G);
    const QKeyCombination find(Qt::ControlModifier, Qt::Key_F);
    const QKeyCombination next(Qt::Key_F3);
    const QKeyCombination previous(Qt::ShiftModifier, Qt::Key_F3);
    const char* graves = "\"with grave\" in the names";
    const struct {
        CVarnoDoc* document;
        QKeyCombination key;
        const char* typed; // null: no dialog; "": the dialog is shown the text and left with Cancel
        int cursor;
        std::string status;
    } steps[] = {
        {grid, goTo, "c4", 0xC4, "C4 · Д in windows-1251 · U+00C4 Ä LATIN CAPITAL LETTER A WITH DIAERESIS · maps back to C4"},
        {grid, goTo, "", 0xC4, ""},
        {grid, find, "with grave", 0xC8, std::string("Match 2 of 10 for ") + graves},
        {grid, next, nullptr, 0xCC, std::string("Match 3 of 10 for ") + graves},
        {grid, previous, nullptr, 0xC8, std::string("Match 2 of 10 for ") + graves},
        {grid, goTo, "0xF9", 0xF9, "F9 · щ in windows-1251 · U+00F9 ù LATIN SMALL LETTER U WITH GRAVE · maps back to F9"},
        {grid, next, nullptr, 0xC0, std::string("Match 1 of 10 for ") + graves},
        {grid, previous, nullptr, 0xF9, std::string("Match 10 of 10 for ") + graves},
        {grid, find, "with grave", 0xF9, std::string("Match 10 of 10 for ") + graves},
        {grid, find, "U+20AC", 0x80, "Match 1 of 1 for U+20AC € EURO SIGN"},
        {grid, find, "0410", 0x80, "No match for U+0410 А CYRILLIC CAPITAL LETTER A"},
        {grid, find, "€", 0x80, "Match 1 of 1 for U+20AC € EURO SIGN"},
        {layout, goTo, nullptr, 0, "A keyboard layout has keys, not bytes to go to; Find looks for a byte on them."},
        {layout, find, "№", 3, "Match 1 of 2 for byte B9 (№)"},
        {layout, next, nullptr, 5, "Match 2 of 2 for byte B9 (№)"},
        {layout, next, nullptr, 3, "Match 1 of 2 for byte B9 (№)"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.status);
        QWidget* window = Focused(step.document);
        const int shown = Press(window, step.key, [&](CDialog& dialog) {
            ASSERT_NE(step.typed, nullptr) << "a dialog where none belongs";
            if (*step.typed == '\0') {
                TypeInto(dialog, IDC_FIELD, QStringLiteral("7F"));
                EXPECT_FALSE(ControlOf(dialog, IDOK)->isEnabled()) << "a byte the grid does not show";
                ExpectLegibleLayout(dialog);
                ClickButton(dialog, IDCANCEL);
                return;
            }
            TypeInto(dialog, IDC_FIELD, QString::fromUtf8(step.typed));
            ClickButton(dialog, IDOK);
        });
        EXPECT_EQ(shown, step.typed != nullptr ? 1 : 0);
        // The focus back from the dialog, as a window manager gives it, leaves what was said.
        window->clearFocus();
        window->setFocus();
        EXPECT_EQ(ViewOf(step.document)->Input()->CursorEntry(), step.cursor);
        if (!step.status.empty()) {
            EXPECT_EQ(Status(), step.status);
        }
    }
    // The last search of the grid is still marked there.
    EXPECT_EQ(MarkedCells(*ViewOf(grid)), std::vector<int>{0x80});
}

// The matches are marked, and follow an edit that takes one away.
TEST_F(EditCommands, MatchesAreMarkedInTheGrid)
{
    CVarnoDoc* grid = Open(Sample("c_1252.nls", Windows1252()));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Press(Focused(grid), QKeyCombination(Qt::ControlModifier, Qt::Key_F),
                    [](CDialog& dialog) {
                        TypeInto(dialog, IDC_FIELD, QStringLiteral("capital letter a with"));
                        ClickButton(dialog, IDOK);
                    }),
              1);
    CVarnoView& view = *ViewOf(grid);
    EXPECT_EQ(MarkedCells(view), (std::vector<int>{0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5}));
    PropagateCharChange(OpenDocuments(), 0xC3, 0xC3, 0x0041, 0x3F, 0x00C3);
    EXPECT_EQ(MarkedCells(view), (std::vector<int>{0xC0, 0xC1, 0xC2, 0xC4, 0xC5}));
}

// Copy takes the status bar's text; Copy Table and Export Mapping what varno-table prints of the file.
TEST_F(EditCommands, CopyAndExportGiveWhatVarnoTablePrints)
{
    const struct {
        const char* name;
        samples::Bytes bytes;
        const char* printing; // the varno-table command whose output the table's text is
    } cases[] = {
        {"c_1252.nls", Windows1252(), "export"},
        {"gdi.exe", samples::MakeGdiModule({}), "export"},
        {"ru.kbd", samples::MakeKeyboardLayout({}), "show"},
    };
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Sample(c.name, c.bytes);
        CVarnoDoc* document = Open(path);
        ASSERT_NE(document, nullptr);
        QWidget* window = Focused(document);
        QTest::keyClick(window, Qt::Key_End);
        ASSERT_FALSE(Status().empty());
        Press(window, QKeyCombination(Qt::ControlModifier, Qt::Key_C), {});
        EXPECT_EQ(clipboard->text().toStdString(), Status());

        const std::string printed = VarnoTable(c.printing, path);
        MenuItem(QStringLiteral("&Edit"), ID_EDIT_COPY_TABLE)->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(clipboard->text().toStdString(), printed);

        const std::string exported = m_output.File(std::string(c.name) + ".txt");
        {
            FileDialogAnswer answer(exported);
            MenuItem(QStringLiteral("&File"), ID_FILE_EXPORT_MAPPING)->trigger();
            QCoreApplication::processEvents();
            EXPECT_EQ(answer.Shown(), 1);
        }
        EXPECT_EQ(Contents(exported), samples::Bytes(printed.begin(), printed.end()));
        EXPECT_TRUE(m_log.Messages().empty());
        CloseAll();
    }
}

// The first click on a window behind another only brings it to the front; the next one edits.
TEST_F(EditCommands, AClickThatActivatesAWindowOnlyActivatesIt)
{
    CVarnoDoc* behind = Open(Sample("c_1252.nls", Windows1252()));
    CVarnoDoc* front = Open(Sample("c_1251.nls", samples::MakeNtCodePageFile({})));
    ASSERT_TRUE(behind != nullptr && front != nullptr);
    Command(ID_WINDOW_TILE_HORZ);
    Focused(front);
    CVarnoView& view = *ViewOf(behind);
    const QPoint onC0 = view_pixels::CellBox(view_pixels::TableArea(view), 0xC0).center();
    std::vector<int> dialogs;
    for (int click = 0; click < 2; ++click) {
        DialogAnswer answer([](CDialog& dialog) { ClickButton(dialog, IDCANCEL); });
        QTest::mouseClick(view.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, onC0);
        QCoreApplication::processEvents();
        dialogs.push_back(answer.Shown());
        EXPECT_EQ(Area()->currentSubWindow(), view.GetParentFrame()->GetWidget());
    }
    EXPECT_EQ(dialogs, (std::vector<int>{0, 1}));
}

// A click in a reference says what it is and how to edit it; Take Table From is greyed meanwhile, and
// its command, sent all the same, refuses.
TEST_F(EditCommands, AReferenceExplainsItself)
{
    CVarnoDoc* document = Open(Sample("c_1252.nls", Windows1252()));
    ASSERT_NE(document, nullptr);
    CVarnoView& view = *ViewOf(document);
    for (const bool reference : {true, false}) {
        document->SetReferenceOnly(reference);
        EXPECT_EQ(MenuItem(QStringLiteral("&Edit"), ID_EDIT_TAKE_TABLE)->isEnabled(), !reference);
    }
    document->SetReferenceOnly(true);
    Focused(document);
    DialogAnswer answer([](CDialog& dialog) { ClickButton(dialog, IDCANCEL); });
    const QPoint onC0 = view_pixels::CellBox(view_pixels::TableArea(view), 0xC0).center();
    QTest::mouseClick(view.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, onC0);
    EXPECT_EQ(answer.Shown(), 0);
    EXPECT_EQ(Status(), "c_1252.nls is a reference and takes no change; Edit > Reference Only makes it editable.");
    Command(ID_EDIT_TAKE_TABLE);
    ASSERT_EQ(m_log.Messages().size(), 1u);
    EXPECT_EQ(m_log.Messages()[0].text,
              "c_1252.nls is open for reference only; Edit > Reference Only lets it change.");
    EXPECT_FALSE(document->IsModified());
}

} // namespace

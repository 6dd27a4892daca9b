// Click editing on the real windows: mouse clicks on the views, the dialogs answered through
// their controls, the repaint read from the pixels and the files saved through File > Save.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/EditScenario.h"
#include "tests/TestSupport.h"
#include "view/ClickEditing.h"

#include <QTest>

#include <set>
#include <utility>

namespace {

using edit_scenario::Scenario;
using edit_scenario::ScenarioFile;
using view_pixels::kPureGreen;

// Whether the change reached the file: its entries were set, or its keys swapped, whatever their bytes became.
bool Reached(const Scenario& s, const ScenarioFile& file)
{
    const bool keys = file.kind == edit_scenario::FileKind::keyboard;
    return !file.reference && s.refused < 0 && (!keys || (s.p != 0 && s.p != 0x3F));
}

// The cells a reached code-page file shows green: the entries that were set, as far as the grid shows them.
std::vector<int> GreenCells(const Scenario& s, const ScenarioFile& file)
{
    std::set<int> bytes;
    for (int byte : {int{s.n}, s.n == s.b && s.p != 0x3F ? int{s.p} : 0}) {
        if (Reached(s, file) && byte >= 0x80) {
            bytes.insert(byte);
        }
    }
    return {bytes.begin(), bytes.end()};
}

// The keys a reached layout shows green: those holding either of the exchanged bytes.
std::vector<int> GreenKeys(const Scenario& s, const ScenarioFile& file)
{
    std::vector<int> keys;
    for (int key = 0; Reached(s, file) && key < CKeyboardHandler::kKeyCount; ++key) {
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        const std::uint8_t high = file.before[place.high];
        const std::uint8_t low = file.before[place.low];
        if (high == s.p || low == s.p || high == s.b || low == s.b) {
            keys.push_back(key);
        }
    }
    return keys;
}

// For each file, the cells or keys that its view shows green.
using Greens = std::vector<std::vector<int>>;

class ClickEdit : public EditorTest {
protected:
    void OpenAll(const Scenario& scenario)
    {
        m_documents.clear();
        m_paths.clear();
        for (const ScenarioFile& file : scenario.files) {
            m_paths.push_back(Sample(file.name, file.before));
            CVarnoDoc* document = Open(m_paths.back());
            ASSERT_NE(document, nullptr) << file.name;
            m_documents.push_back(document);
        }
        // Side by side, so that every window shows and paints, each large enough to show its whole table:
        // an edit repaints only the cells it changed, and those of a scrolled table may lie out of sight.
        MainWindow()->resize(3000, 2000);
        QCoreApplication::processEvents();
        Command(ID_WINDOW_TILE_HORZ);
        ASSERT_TRUE(WaitFor([this] { return std::ranges::all_of(m_documents, ShowsWholeTable); }));
    }

    // In the window in front: a click on another only brings it there.
    static void Click(CVarnoView& view, POINT point)
    {
        static_cast<CMDIChildWnd*>(view.GetParentFrame())->MDIActivate();
        QTest::mouseClick(view.GetClientWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y));
    }

    // A command of the document window's menu, with the document's window active.
    void CommandOn(CVarnoDoc& document, UINT id)
    {
        static_cast<CMDIChildWnd*>(ViewOf(&document)->GetParentFrame())->MDIActivate();
        Command(id);
    }

    void SaveChanged(const Scenario& scenario)
    {
        for (std::size_t i = 0; i < m_documents.size(); ++i) {
            if (scenario.files[i].changed) {
                CommandOn(*m_documents[i], ID_FILE_SAVE);
                EXPECT_FALSE(m_documents[i]->IsModified()) << scenario.files[i].name;
            }
        }
    }

    // Every file on disk holds the bytes from after the change, or from before it.
    void ExpectFiles(const Scenario& scenario, bool changed = true) const
    {
        for (std::size_t i = 0; i < scenario.files.size(); ++i) {
            SCOPED_TRACE(scenario.files[i].name);
            const ScenarioFile& file = scenario.files[i];
            const samples::Bytes& expected = changed ? file.after : file.before;
            EXPECT_EQ(DifferingOffsets(Contents(m_paths[i]), expected), std::vector<std::size_t>{});
        }
    }

    Greens ShownGreen(const Scenario& scenario) const
    {
        Greens shown;
        for (std::size_t i = 0; i < m_documents.size(); ++i) {
            CVarnoView& view = *ViewOf(m_documents[i]);
            const bool keys = scenario.files[i].kind == edit_scenario::FileKind::keyboard;
            shown.push_back(keys ? view_pixels::KeysIn(view, kPureGreen) : view_pixels::CellsIn(view, kPureGreen));
        }
        return shown;
    }

    // Runs an edit, Undo or Redo: every view of a changed document is then asked to repaint (pending paints
    // are flushed first, so only what the edit asks for counts). The clicked view is left out: its cursor
    // repaints it anyway.
    void ExpectRepaint(const Scenario& scenario, const std::function<void()>& edit, const CView* clicked = nullptr)
    {
        QCoreApplication::sendPostedEvents();
        PaintLog paints;
        for (CVarnoDoc* document : m_documents) {
            for (CVarnoView* view : Views(document)) {
                view->GetClientWidget()->installEventFilter(&paints);
            }
        }
        edit();
        // After one missing repaint, the test ends soon instead of waiting for each of the others.
        for (std::size_t i = 0; i < m_documents.size() && !HasFailure(); ++i) {
            for (CVarnoView* view : Views(m_documents[i])) {
                if (scenario.files[i].changed && view != clicked) {
                    QWidget* widget = view->GetClientWidget();
                    EXPECT_TRUE(WaitFor([&] { return paints.painted.count(widget) > 0; })) << scenario.files[i].name;
                }
            }
        }
    }

    // Edit > Undo or Redo: the changed documents repaint and are then modified or not; the others stay
    // unmodified.
    void UndoOrRedo(UINT id, const Scenario& scenario, bool modified)
    {
        ExpectRepaint(scenario, [&] { Command(id); });
        for (std::size_t i = 0; i < m_documents.size(); ++i) {
            const bool changed = scenario.files[i].changed;
            EXPECT_EQ(m_documents[i]->IsModified() != FALSE, changed && modified) << scenario.files[i].name;
            // The window's mark goes as well as it comes.
            const QString title = ViewOf(m_documents[i])->GetParentFrame()->GetWidget()->windowTitle();
            EXPECT_EQ(title.endsWith(QLatin1Char('*')), changed && modified) << title.toStdString();
        }
    }

    // With the change saved: Undo goes past the save (modified), Redo comes back to it (clean). Undo
    // again, saved, gives the bytes and greens from before; Redo, saved, those of the change.
    void ExpectUndoAndRedo(const Scenario& scenario, const Greens& before, const Greens& after)
    {
        UndoOrRedo(ID_EDIT_UNDO, scenario, true);
        UndoOrRedo(ID_EDIT_REDO, scenario, false);
        UndoOrRedo(ID_EDIT_UNDO, scenario, true);
        SaveChanged(scenario);
        ExpectFiles(scenario, false);
        EXPECT_EQ(ShownGreen(scenario), before);
        EXPECT_EQ(MenuItem("&Edit", ID_EDIT_REDO)->text().toStdString().rfind("&Redo Change", 0), 0u);
        UndoOrRedo(ID_EDIT_REDO, scenario, true);
        SaveChanged(scenario);
        ExpectFiles(scenario);
        EXPECT_EQ(ShownGreen(scenario), after);
        EXPECT_FALSE(MenuItem("&Edit", ID_EDIT_REDO)->isEnabled());
        EXPECT_EQ(MenuItem("&Edit", ID_EDIT_REDO)->text(), QStringLiteral("&Redo\tCtrl+Y"));
    }

    std::vector<CVarnoDoc*> m_documents;
    std::vector<std::string> m_paths;
};

// Every shared scenario: a click on the clicked file's view, the dialog answered, the repaint and the saved
// bytes of every file, then Undo and Redo. Before it, a click on the row labels opens nothing, and the same
// dialog left with Cancel after edits changes nothing. A scenario that continues the one before clicks in
// the same windows, after its Redo.
TEST_F(ClickEdit, ConfirmedChangeReachesEveryWindowSavesThePredictedBytesAndUndoes)
{
    const std::vector<Scenario> scenarios = edit_scenario::CharEditScenarios();
    Greens greensBefore;
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.description);
        if (!scenario.continues) {
            // Every change was saved: closing asks nothing, of reference files neither.
            CloseAll();
            EXPECT_TRUE(m_log.Messages().empty());
            OpenAll(scenario);
            ASSERT_EQ(m_documents.size(), scenario.files.size());
            greensBefore.assign(scenario.files.size(), {});
            // The steps of the closed windows are gone.
            EXPECT_FALSE(MenuItem("&Edit", ID_EDIT_UNDO)->isEnabled());
            EXPECT_EQ(MenuItem("&Edit", ID_EDIT_UNDO)->text(), QStringLiteral("&Undo\tCtrl+Z"));
        }
        for (std::size_t i = 0; i < m_documents.size(); ++i) {
            if (scenario.files[i].reference) {
                CommandOn(*m_documents[i], ID_EDIT_REFERENCE);
                EXPECT_EQ(m_documents[i]->GetTitle(), scenario.files[i].name + " (reference)");
            }
        }
        CVarnoView& clicked = *ViewOf(m_documents[scenario.clicked]);
        // The tiled window shows its row labels at first; it scrolls to the cell later.
        clicked.ScrollToPosition({0, 0});
        const RECT start = view_pixels::TableArea(clicked);
        const RECT box = GetCharCellBox(start, scenario.b);
        {
            int dialogs = 0;
            DialogAnswer answer([&](CDialog& dialog) {
                if (++dialogs == 1) {
                    TypeInto(dialog, IDC_CHAR, QStringLiteral("41"));
                    TypeInto(dialog, IDC_UNICODE, QStringLiteral("41"));
                    ClickButton(dialog, IDCANCEL);
                    return;
                }
                if (scenario.n != scenario.b) {
                    TypeInto(dialog, IDC_CHAR, QString::fromStdString(Hex(scenario.n, 2)));
                }
                if (scenario.u != scenario.o) {
                    TypeInto(dialog, IDC_UNICODE, QString::fromStdString(Hex(scenario.u, 4)));
                }
                ClickButton(dialog, IDOK);
            });
            Click(clicked, {start.left, start.top + 100});
            EXPECT_EQ(answer.Shown(), 0) << "a click on the row labels";
            // The cell and the corner beyond it in view.
            clicked.ScrollIntoView(RECT{box.left, box.top, box.right + 1, box.bottom + 1});
            const RECT area = view_pixels::TableArea(clicked);
            // Only a cell's inside counts, so b is hit just inside its own corner and
            // exactly on the corner of the cell down and to the right: the scenarios
            // take turns, and a click moved by a pixel either way hits another cell.
            const RECT cell = GetCharCellRect(area, scenario.b);
            const RECT next = GetCharCellRect(area, scenario.b + 9);
            const bool onNext = (&scenario - scenarios.data()) % 2 == 1 && scenario.b % 8 != 7 && scenario.b < 0xF8;
            const POINT point = onNext ? POINT{next.left, next.top} : POINT{cell.left + 1, cell.top + 1};
            Click(clicked, point);
            ExpectRepaint(scenario, [&] { Click(clicked, point); }, &clicked);
            EXPECT_EQ(answer.Shown(), 2);
        }
        const auto& messages = m_log.Messages();
        if (scenario.refused >= 0) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONSTOP));
            EXPECT_NE(messages[0].text.find(m_paths[static_cast<std::size_t>(scenario.refused)]), std::string::npos)
                << messages[0].text;
        } else {
            EXPECT_TRUE(messages.empty());
        }
        m_log.Clear();
        // Green marks what changed since the file was opened, a save included.
        Greens greensAfter = greensBefore;
        for (std::size_t i = 0; i < m_documents.size(); ++i) {
            const ScenarioFile& file = scenario.files[i];
            EXPECT_EQ(m_documents[i]->IsModified() != FALSE, file.changed) << file.name;
            const bool keys = file.kind == edit_scenario::FileKind::keyboard;
            std::set<int> green(greensAfter[i].begin(), greensAfter[i].end());
            for (int entry : keys ? GreenKeys(scenario, file) : GreenCells(scenario, file)) {
                green.insert(entry);
            }
            greensAfter[i].assign(green.begin(), green.end());
        }
        SaveChanged(scenario);
        EXPECT_EQ(ShownGreen(scenario), greensAfter);
        ExpectFiles(scenario);
        if (scenario.refused < 0) {
            EXPECT_EQ(MenuItem("&Edit", ID_EDIT_UNDO)->text().toStdString(),
                      "&Undo Change " + Hex(scenario.n, 2) + " to " + Hex(scenario.u, 4) + "\tCtrl+Z");
            ExpectUndoAndRedo(scenario, greensBefore, greensAfter);
        }
        greensBefore = greensAfter;
    }
}

// OK without edits marks the key green all the same, but not the document modified. Undo names the key, its
// "&" shown as itself.
TEST_F(ClickEdit, ConfirmedKeyEditWritesTheKeyShowsItGreenAndUndoes)
{
    for (const bool edited : {true, false}) {
        SCOPED_TRACE(edited ? "all three values" : "OK without edits");
        const int key = edited ? 0 : 7;
        Scenario expected = edit_scenario::Unchanged({"key", {edit_scenario::KeyboardFile("us.kbd")}, 0, 0, 0, 0, 0, 0});
        OpenAll(expected);
        ASSERT_EQ(m_documents.size(), 1u);
        // A second window on the layout, side by side with the first, which the edit must repaint too.
        Command(ID_WINDOW_NEW);
        Command(ID_WINDOW_TILE_HORZ);
        ASSERT_EQ(Views(m_documents[0]).size(), 2u);
        expected.files[0].changed = edited;
        CVarnoView& view = *ViewOf(m_documents[0]);
        const RECT column = GetKeyColumnRect(view_pixels::TableArea(view), key);
        {
            // The first dialog is left with Cancel after edits.
            int dialogs = 0;
            DialogAnswer answer([&](CDialog& dialog) {
                const bool cancel = ++dialogs == 1;
                if (cancel || edited) {
                    TypeInto(dialog, IDC_LOW, QStringLiteral("c5"));
                    TypeInto(dialog, IDC_HIGH, QStringLiteral("D5"));
                    ClickButton(dialog, IDC_CAPSLOCK);
                }
                ClickButton(dialog, cancel ? IDCANCEL : IDOK);
            });
            Click(view, {column.left + 1, 200});
            EXPECT_FALSE(m_documents[0]->IsModified()) << "cancelled";
            ExpectRepaint(expected, [&] { Click(view, {column.left + 1, 200}); }, &view);
            EXPECT_EQ(answer.Shown(), 2);
        }
        EXPECT_EQ(m_documents[0]->IsModified() != FALSE, edited);
        EXPECT_EQ(view_pixels::KeysIn(view, kPureGreen), std::vector<int>{key});
        if (edited) {
            const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
            samples::Bytes& after = expected.files[0].after;
            after[place.low] = 0xC5;
            after[place.high] = 0xD5;
            after[place.caps] ^= place.mask;
        }
        SaveChanged(expected);
        ExpectFiles(expected);
        const QString undo = edited ? QStringLiteral("&Undo Change key ~ `") : QStringLiteral("&Undo Change key 7 &&");
        EXPECT_EQ(MenuItem("&Edit", ID_EDIT_UNDO)->text(), undo + QStringLiteral("\tCtrl+Z"));
        ExpectUndoAndRedo(expected, {{}}, {{key}});
        CloseAll();
    }
}

// File > Open Reference opens a file as a reference: its title says so, Edit > Reference Only is checked,
// and a click in it opens no dialog. Made an ordinary document again, it opens one.
TEST_F(ClickEdit, AReferenceOpensNoEditUntilItIsNoLongerOne)
{
    const std::string path = Sample("c_1251.nls", samples::MakeNtCodePageFile({}));
    {
        FileDialogAnswer answer(path);
        Command(ID_FILE_OPEN_REFERENCE);
        EXPECT_EQ(answer.Shown(), 1);
    }
    ASSERT_EQ(OpenDocuments().size(), 1u);
    QMdiSubWindow* window = Area()->subWindowList().front();
    CVarnoView& view = *ViewOf(OpenDocuments().front());
    const RECT cell = GetCharCellRect(view_pixels::TableArea(view), 0xC0);
    DialogAnswer cancel([](CDialog& dialog) { ClickButton(dialog, IDCANCEL); });
    for (const bool reference : {true, false}) {
        SCOPED_TRACE(reference ? "reference" : "no longer");
        EXPECT_EQ(window->windowTitle().toStdString(), reference ? "c_1251.nls (reference)" : "c_1251.nls");
        EXPECT_EQ(MenuItem("&Edit", ID_EDIT_REFERENCE)->isChecked(), reference);
        Click(view, {cell.left + 1, cell.top + 1});
        EXPECT_EQ(cancel.Shown(), reference ? 0 : 1);
        Command(ID_EDIT_REFERENCE);
    }
}

// The edit history is the application's: a click edit made while there is no main window is a step all the same.
TEST_F(ClickEdit, AnEditWithoutAMainWindowIsAStepAllTheSame)
{
    CVarnoDoc* layout = Open(Sample("us.kbd", edit_scenario::KeyboardFile("us.kbd").before));
    ASSERT_NE(layout, nullptr);
    const RECT area = view_pixels::TableArea(*ViewOf(layout));
    CWnd* mainWindow = std::exchange(m_app->m_pMainWnd, nullptr);
    {
        DialogAnswer ok([](CDialog& dialog) {
            TypeInto(dialog, IDC_LOW, QStringLiteral("c5"));
            ClickButton(dialog, IDOK);
        });
        EditKeyAtPoint(*layout, area, {GetKeyColumnRect(area, 0).left + 1, 200});
        EXPECT_EQ(ok.Shown(), 1);
    }
    m_app->m_pMainWnd = mainWindow;
    EXPECT_TRUE(layout->IsModified());
    EXPECT_EQ(MenuItem("&Edit", ID_EDIT_UNDO)->text().toStdString(), "&Undo Change key ~ `\tCtrl+Z");
}

} // namespace

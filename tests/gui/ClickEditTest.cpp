// Click editing on the real windows: mouse clicks on the views, the dialogs answered through
// their controls, the repaint read from the pixels and the files saved through File > Save.
#include "tests/gui/EditorFixture.h"
#include "tests/gui/ViewPixels.h"

#include "tests/EditScenario.h"
#include "tests/TestSupport.h"

#include <QTest>

#include <set>

namespace {

using edit_scenario::Scenario;
using edit_scenario::ScenarioFile;
using view_pixels::kPureGreen;

class ClickEdit : public EditorTest {
protected:
    std::vector<CVarnoDoc*> OpenAll(const Scenario& scenario)
    {
        std::vector<CVarnoDoc*> documents;
        m_paths.clear();
        for (const ScenarioFile& file : scenario.files) {
            m_paths.push_back(Sample(file.name, file.before));
            CVarnoDoc* document = Open(m_paths.back());
            EXPECT_NE(document, nullptr) << file.name;
            if (document == nullptr) {
                return {};
            }
            documents.push_back(document);
        }
        return documents;
    }

    static void Click(CVarnoView& view, POINT point)
    {
        QTest::mouseClick(view.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(point.x, point.y));
    }

    void Save(CVarnoDoc& document)
    {
        static_cast<CMDIChildWnd*>(ViewOf(&document)->GetParentFrame())->MDIActivate();
        Command(ID_FILE_SAVE);
    }

    void ExpectFiles(const Scenario& scenario) const
    {
        for (std::size_t i = 0; i < scenario.files.size(); ++i) {
            SCOPED_TRACE(scenario.files[i].name);
            EXPECT_EQ(DifferingOffsets(Contents(m_paths[i]), scenario.files[i].after), std::vector<std::size_t>{});
        }
    }

    std::vector<std::string> m_paths;
};

// The cells a changed code-page file shows green: the entries that were set, as far as the grid shows them.
std::vector<int> GreenCells(const Scenario& s, const ScenarioFile& file)
{
    std::set<int> bytes;
    for (int byte : {int{s.n}, s.n == s.b && s.p != 0x3F ? int{s.p} : 0}) {
        if (file.changed && byte >= 0x80) {
            bytes.insert(byte);
        }
    }
    return {bytes.begin(), bytes.end()};
}

// The keys a changed layout shows green: those holding either of the exchanged bytes.
std::vector<int> GreenKeys(const Scenario& s, const ScenarioFile& file)
{
    std::vector<int> keys;
    for (int key = 0; file.changed && key < CKeyboardHandler::kKeyCount; ++key) {
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
        const std::uint8_t high = file.before[place.high];
        const std::uint8_t low = file.before[place.low];
        if (high == s.p || low == s.p || high == s.b || low == s.b) {
            keys.push_back(key);
        }
    }
    return keys;
}

// Every shared scenario: a click on the clicked file's view, the dialog answered, the repaint and the saved
// bytes of every file. Before it, a click on the row labels opens nothing, and the same dialog left with
// Cancel after edits changes nothing.
TEST_F(ClickEdit, ConfirmedChangeReachesEveryWindowAndSavesThePredictedBytes)
{
    const std::vector<Scenario> scenarios = edit_scenario::CharEditScenarios();
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.description);
        const std::vector<CVarnoDoc*> documents = OpenAll(scenario);
        ASSERT_EQ(documents.size(), scenario.files.size());
        CVarnoView& clicked = *ViewOf(documents[scenario.clicked]);
        const RECT area = view_pixels::TableArea(clicked);
        // Only a cell's inside counts, so b is hit just inside its own corner and
        // exactly on the corner of the cell down and to the right: the scenarios
        // take turns, and a click moved by a pixel either way hits another cell.
        const RECT cell = GetCharCellRect(area, scenario.b);
        const RECT next = GetCharCellRect(area, scenario.b + 9);
        const bool onNext = (&scenario - scenarios.data()) % 2 == 1 && scenario.b % 8 != 7 && scenario.b < 0xF8;
        const POINT point = onNext ? POINT{next.left, next.top} : POINT{cell.left + 1, cell.top + 1};
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
            Click(clicked, {area.left, area.top + 100});
            EXPECT_EQ(answer.Shown(), 0) << "a click on the row labels";
            Click(clicked, point);
            Click(clicked, point);
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
        for (std::size_t i = 0; i < documents.size(); ++i) {
            const ScenarioFile& file = scenario.files[i];
            SCOPED_TRACE(file.name);
            EXPECT_EQ(documents[i]->IsModified() != FALSE, file.changed);
            if (file.changed) {
                Save(*documents[i]);
                EXPECT_FALSE(documents[i]->IsModified());
            }
            // Green marks what changed since the file was opened, a save included.
            CVarnoView& view = *ViewOf(documents[i]);
            if (file.kind == edit_scenario::FileKind::keyboard) {
                EXPECT_EQ(view_pixels::KeysIn(view, kPureGreen), GreenKeys(scenario, file));
            } else {
                EXPECT_EQ(view_pixels::CellsIn(view, kPureGreen), GreenCells(scenario, file));
            }
        }
        ExpectFiles(scenario);
        CloseAll();
        m_log.Clear();
    }
}

// OK without edits marks the key all the same.
TEST_F(ClickEdit, ConfirmedKeyEditWritesTheKeyAndShowsItGreen)
{
    for (const bool edited : {true, false}) {
        SCOPED_TRACE(edited ? "all three values" : "OK without edits");
        const int key = edited ? 0 : 12;
        Scenario expected = edit_scenario::Unchanged({"key", {edit_scenario::KeyboardFile("us.kbd")}, 0, 0, 0, 0, 0, 0});
        const std::vector<CVarnoDoc*> documents = OpenAll(expected);
        ASSERT_EQ(documents.size(), 1u);
        CVarnoView& view = *ViewOf(documents[0]);
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
            EXPECT_FALSE(documents[0]->IsModified()) << "cancelled";
            Click(view, {column.left + 1, 200});
            EXPECT_EQ(answer.Shown(), 2);
        }
        EXPECT_TRUE(documents[0]->IsModified());
        EXPECT_EQ(view_pixels::KeysIn(view, kPureGreen), std::vector<int>{key});
        if (edited) {
            const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
            samples::Bytes& after = expected.files[0].after;
            after[place.low] = 0xC5;
            after[place.high] = 0xD5;
            after[place.caps] ^= place.mask;
        }
        Save(*documents[0]);
        ExpectFiles(expected);
        CloseAll();
    }
}

} // namespace

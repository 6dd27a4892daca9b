#include "view/ClickEditing.h"

#include "res/Resource.h"
#include "tables/CKeyboardHandler.h"
#include "tests/DialogDriver.h"
#include "tests/EditScenario.h"
#include "tests/MessageLog.h"
#include "tests/view/OpenScenario.h"
#include "view/TableLayout.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using edit_scenario::Scenario;

class ClickEditing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { VarnoRegisterResources(); }
    void TearDown() override { AfxSetModalDialogHook(nullptr); }

    // The dialogs that one click opened, and the field that names the clicked entry.
    struct Shown {
        int dialogs = 0;
        QString charField;
        QString lowField;
    };

    // Clicks, looks at the dialog if one opens and cancels it.
    static Shown ClickAndCancel(CView& view, POINT point)
    {
        Shown shown;
        AfxSetModalDialogHook([&](CDialog& dialog) {
            ++shown.dialogs;
            if (auto* field = ControlOf<QLineEdit>(dialog, IDC_CHAR)) {
                shown.charField = field->text();
            }
            if (auto* field = ControlOf<QLineEdit>(dialog, IDC_LOW)) {
                shown.lowField = field->text();
            }
            ClickButton(dialog, IDCANCEL);
        });
        EditAtPoint(view, point);
        AfxSetModalDialogHook(nullptr);
        return shown;
    }

    static QString Hex(int value, int digits) { return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper(); }

    MessageLog m_log;
};

TEST_F(ClickEditing, ClicksHitTheCellsAndKeysOfTheLayout)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    OpenScenario open(scenario, true);
    ASSERT_TRUE(open.AllOpened());
    CView& grid = open.View(edit_scenario::kNt1251, 0);
    CView& keys = open.View(edit_scenario::kKeyboard, 0);
    const CKeyboardHandler& keyboard =
        *dynamic_cast<CKeyboardHandler*>(open.Doc(edit_scenario::kKeyboard)->m_pHandler);
    const struct {
        const char* what;
        CView& view;
        POINT point;
        int charHit; // the byte whose dialog opens, or kNoHit
        int keyHit;  // the key whose dialog opens, or kNoHit
    } cases[] = {
        {"on 0x8F's corner: the cell up and left", grid, {884, 30}, 0x86, kNoHit},
        {"just inside 0x8F", grid, {885, 31}, 0x8F, kNoHit},
        {"inside 0xFF", grid, {999, 329}, 0xFF, kNoHit},
        {"just inside 0x80", grid, {76, 11}, 0x80, kNoHit},
        {"row-label column", grid, {75, 100}, kNoHit, kNoHit},
        {"top margin", grid, {500, 10}, kNoHit, kNoHit},
        {"key 0's edge", keys, {126, 11}, kNoHit, 0},
        {"header column", keys, {125, 11}, kNoHit, kNoHit},
        {"key 13, low in its column", keys, {938, 320}, kNoHit, 13},
        {"key table's margin", keys, {500, 10}, kNoHit, kNoHit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Shown shown = ClickAndCancel(c.view, c.point);
        const bool expectDialog = c.charHit != kNoHit || c.keyHit != kNoHit;
        EXPECT_EQ(shown.dialogs, expectDialog ? 1 : 0);
        if (c.charHit != kNoHit) {
            EXPECT_EQ(shown.charField, Hex(c.charHit, 2));
        }
        if (c.keyHit != kNoHit) {
            EXPECT_EQ(shown.lowField, Hex(keyboard.GetLow(c.keyHit), 2));
        }
    }
    open.ExpectOutcome(OpenScenario::Unchanged(scenario));
}

TEST_F(ClickEditing, CancelAfterEditsChangesNothing)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    OpenScenario open(scenario, true);
    ASSERT_TRUE(open.AllOpened());
    int dialogs = 0;
    AfxSetModalDialogHook([&](CDialog& dialog) {
        ++dialogs;
        for (int id : {IDC_CHAR, IDC_UNICODE, IDC_LOW, IDC_HIGH}) {
            if (ControlOf(dialog, id) != nullptr) {
                TypeInto(dialog, id, QStringLiteral("41"));
            }
        }
        ClickButton(dialog, IDCANCEL);
    });
    EditAtPoint(open.View(edit_scenario::kGdi, 1), {500, 200});
    EditAtPoint(open.View(edit_scenario::kKeyboard, 1), {500, 200});
    EXPECT_EQ(dialogs, 2);
    open.ExpectOutcome(OpenScenario::Unchanged(scenario));
    EXPECT_TRUE(m_log.Messages().empty());
}

// Every shared scenario driven through a click and the real dialog.
TEST_F(ClickEditing, ConfirmedCharacterChangesReachEveryOpenFile)
{
    for (const Scenario& scenario : edit_scenario::CharEditScenarios()) {
        SCOPED_TRACE(scenario.description);
        m_log.Clear();
        OpenScenario open(scenario, true);
        ASSERT_TRUE(open.AllOpened());
        // The second view of the clicked document takes the click.
        CView& view = open.View(scenario.clicked, 1);
        RECT client;
        view.GetClientRect(&client);
        const RECT cell = GetCharCellRect(GetTableArea(client), scenario.b);
        AfxSetModalDialogHook([&](CDialog& dialog) {
            if (scenario.n != scenario.b) {
                TypeInto(dialog, IDC_CHAR, Hex(scenario.n, 2));
            }
            if (scenario.u != scenario.o) {
                TypeInto(dialog, IDC_UNICODE, Hex(scenario.u, 4));
            }
            ClickButton(dialog, IDOK);
        });
        EditAtPoint(view, {cell.left + 1, cell.top + 1});
        AfxSetModalDialogHook(nullptr);

        if (scenario.refused >= 0) {
            ASSERT_EQ(m_log.Messages().size(), 1u);
            EXPECT_EQ(m_log.Messages()[0].type, MB_ICONSTOP);
            const std::string& path = open.Path(static_cast<std::size_t>(scenario.refused));
            EXPECT_NE(m_log.Messages()[0].text.find(path), std::string::npos) << m_log.Messages()[0].text;
        } else {
            EXPECT_TRUE(m_log.Messages().empty());
        }
        open.ExpectOutcome(scenario);
    }
}

TEST_F(ClickEditing, ConfirmedKeyEditMarksItsDocumentAndRepaintsAllItsViews)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    const std::size_t kbd = edit_scenario::kKeyboard;
    const struct {
        const char* what;
        int key;
        const char* low;  // typed, or null to leave the field
        const char* high;
        bool toggleCaps;
    } cases[] = {
        {"all three values", 0, "c5", "1D5", true},
        {"OK without edits", 12, nullptr, nullptr, false},
        {"caps-lock only, key 12's bit 3 of byte 89", 12, nullptr, nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenScenario open(scenario, true);
        ASSERT_TRUE(open.AllOpened());
        CView& view = open.View(kbd, 0);
        RECT client;
        view.GetClientRect(&client);
        const RECT column = GetKeyColumnRect(GetTableArea(client), c.key);
        AfxSetModalDialogHook([&](CDialog& dialog) {
            if (c.low != nullptr) {
                TypeInto(dialog, IDC_LOW, QString::fromLatin1(c.low));
            }
            if (c.high != nullptr) {
                TypeInto(dialog, IDC_HIGH, QString::fromLatin1(c.high));
            }
            if (c.toggleCaps) {
                ClickButton(dialog, IDC_CAPSLOCK);
            }
            ClickButton(dialog, IDOK);
        });
        EditAtPoint(view, {column.left + 1, 200});
        AfxSetModalDialogHook(nullptr);

        // The predicted file: the typed bytes (their low 8 bits) and the flipped bit.
        Scenario expected = OpenScenario::Unchanged(scenario);
        expected.files[kbd].changed = true;
        samples::Bytes& after = expected.files[kbd].after;
        const samples::KeyboardKeyPlace place = samples::KeyboardPlace(c.key);
        unsigned value = 0;
        if (c.low != nullptr && std::sscanf(c.low, "%x", &value) == 1) {
            after[place.low] = static_cast<std::uint8_t>(value);
        }
        if (c.high != nullptr && std::sscanf(c.high, "%x", &value) == 1) {
            after[place.high] = static_cast<std::uint8_t>(value);
        }
        if (c.toggleCaps) {
            after[place.caps] ^= place.mask;
        }

        EXPECT_EQ(open.Doc(kbd)->m_pHandler->m_modified[c.key], 1) << "the key shows green";
        open.ExpectOutcome(expected);
    }
}

TEST_F(ClickEditing, ViewsOfOtherDocumentKindsAndNoDocumentDoNothing)
{
    AfxEnsureGuiApplication();
    int dialogs = 0;
    AfxSetModalDialogHook([&](CDialog& dialog) {
        ++dialogs;
        ClickButton(dialog, IDCANCEL);
    });
    CCountingView orphan(true);
    EditAtPoint(orphan, {500, 200});

    // An undefined format: no table to edit.
    Scenario scenario = edit_scenario::CharEditScenarios().front();
    scenario.files.resize(1);
    scenario.files[0].name = "readme.txt";
    OpenScenario open(scenario, true);
    ASSERT_TRUE(open.AllOpened());
    EditAtPoint(open.View(0, 0), {500, 200});
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(open.Doc(0)->IsModified());
}

} // namespace

// The "Change char" and "Change key" dialogs answered through their controls.
#include "view/CChangeCharDlg.h"
#include "view/CChangeKeyDlg.h"

#include "tests/DialogDriver.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ChangeDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { VarnoRegisterResources(); }
};

// What either dialog edits: the byte and value of a character, or the low
// and high byte and the caps-lock state of a key.
struct Values {
    int first;
    int second;
    bool caps;
    bool operator==(const Values&) const = default;
};

// What is typed over the fields (null leaves a field) and whether the box is
// clicked before OK. Cancel is checked where a click opens the dialogs.
struct Answer {
    const char* first;
    const char* second;
    bool clickBox;
};

struct Outcome {
    INT_PTR result;
    Values values;
    QStringList shown; // the fields' texts and the box as the dialog opened
};

QString TextOf(CDialog& dialog, int id)
{
    QLineEdit* edit = ControlOf<QLineEdit>(dialog, id);
    return edit != nullptr ? edit->text() : QStringLiteral("<none>");
}

Outcome Run(CDialog& dialog, int firstId, int secondId, const Answer& answer)
{
    Outcome outcome{};
    outcome.result = RunAnswering(dialog, [&](CDialog& d) {
        outcome.shown << TextOf(d, firstId) << TextOf(d, secondId);
        if (QCheckBox* box = ControlOf<QCheckBox>(d, IDC_CAPSLOCK)) {
            outcome.shown << (box->isChecked() ? "checked" : "clear");
        }
        if (answer.first != nullptr) {
            TypeInto(d, firstId, QString::fromLatin1(answer.first));
        }
        if (answer.second != nullptr) {
            TypeInto(d, secondId, QString::fromLatin1(answer.second));
        }
        if (answer.clickBox) {
            ClickButton(d, IDC_CAPSLOCK);
        }
        ClickButton(d, IDOK);
    });
    return outcome;
}

Outcome RunCharDialog(Values before, const Answer& answer)
{
    CChangeCharDlg dialog;
    dialog.m_nChar = before.first;
    dialog.m_nUnicode = before.second;
    Outcome outcome = Run(dialog, IDC_CHAR, IDC_UNICODE, answer);
    outcome.values = {dialog.m_nChar, dialog.m_nUnicode, false};
    return outcome;
}

Outcome RunKeyDialog(Values before, const Answer& answer)
{
    CChangeKeyDlg dialog;
    dialog.m_nLow = before.first;
    dialog.m_nHigh = before.second;
    dialog.m_bCapsLock = before.caps;
    Outcome outcome = Run(dialog, IDC_LOW, IDC_HIGH, answer);
    outcome.values = {dialog.m_nLow, dialog.m_nHigh, dialog.m_bCapsLock};
    return outcome;
}

// The ids that the Tab key visits from the control that has the focus at open.
std::vector<int> TabOrder(CDialog& dialog, int stops)
{
    std::vector<int> order{FocusedControlId(dialog)};
    for (int i = 1; i < stops; ++i) {
        PressKey(dialog, Qt::Key_Tab);
        order.push_back(FocusedControlId(dialog));
    }
    return order;
}

} // namespace

TEST_F(ChangeDialogs, ShowTheValuesAndReadBackWhatWasTyped)
{
    const Values character{0x8A, 0x410, false};
    const Values key{0x31, 0x21, true};
    struct Case {
        const char* what;
        bool keyDialog;
        Values before;
        Answer answer;
        Values after;
    };
    const Case cases[] = {
        {"char: two digits for the byte, four for the value", false, character, {"123", "12345", false},
         {0x12, 0x1234, false}},
        {"char: fields that convert nothing keep the values", false, character, {"", "zz", false}, character},
        {"key: any number of digits, and the box", true, key, {"b1", "1A3", true}, {0xB1, 0x1A3, false}},
        {"key: a field that converts nothing keeps its value", true, key, {"nope", "  41", false},
         {0x31, 0x41, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = c.keyDialog ? RunKeyDialog(c.before, c.answer) : RunCharDialog(c.before, c.answer);
        QStringList shown{QString::fromStdString(Hex(c.before.first, 2)),
                          QString::fromStdString(Hex(c.before.second, c.keyDialog ? 2 : 4))};
        if (c.keyDialog) {
            shown << (c.before.caps ? "checked" : "clear");
        }
        EXPECT_EQ(outcome.shown, shown);
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_TRUE(outcome.values == c.after) << std::hex << outcome.values.first << " " << outcome.values.second
                                               << " " << outcome.values.caps;
    }
}

TEST_F(ChangeDialogs, KeyboardAloneFillsThemIn)
{
    // The char dialog opens in the value field: typing replaces it, Enter is OK.
    CChangeCharDlg charDialog;
    charDialog.m_nChar = 0x8A;
    charDialog.m_nUnicode = 0x410;
    std::vector<int> order;
    EXPECT_EQ(RunAnswering(charDialog,
                           [&](CDialog& d) {
                               order = TabOrder(d, 5);
                               QTest::keyClicks(QApplication::focusWidget(), "0401");
                               QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                           }),
              IDOK);
    EXPECT_EQ(order, (std::vector<int>{IDC_UNICODE, IDOK, IDCANCEL, IDC_CHAR, IDC_UNICODE}));
    EXPECT_EQ(charDialog.m_nUnicode, 0x401);
    EXPECT_EQ(charDialog.m_nChar, 0x8A);

    // The key dialog opens in the low field; Space toggles the box and Enter there is OK.
    CChangeKeyDlg keyDialog;
    EXPECT_EQ(RunAnswering(keyDialog,
                           [&](CDialog& d) {
                               order = TabOrder(d, 6);
                               PressKey(d, Qt::Key_Tab);
                               PressKey(d, Qt::Key_Tab);
                               PressKey(d, Qt::Key_Space);
                               PressKey(d, Qt::Key_Return);
                           }),
              IDOK);
    EXPECT_EQ(order, (std::vector<int>{IDC_LOW, IDC_HIGH, IDC_CAPSLOCK, IDOK, IDCANCEL, IDC_LOW}));
    EXPECT_TRUE(keyDialog.m_bCapsLock);
}

TEST_F(ChangeDialogs, BothDialogsAreLaidOutLegibly)
{
    CChangeCharDlg charDialog;
    RunAnswering(charDialog, [](CDialog& d) {
        ExpectLegibleLayout(d);
        ClickButton(d, IDCANCEL);
    });
    CChangeKeyDlg keyDialog;
    RunAnswering(keyDialog, [](CDialog& d) {
        ExpectLegibleLayout(d);
        // The frame encloses every other control.
        const QList<QWidget*> children = d.GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QWidget* frame = nullptr;
        for (QWidget* child : children) {
            frame = qobject_cast<QGroupBox*>(child) != nullptr ? child : frame;
        }
        ASSERT_NE(frame, nullptr);
        for (QWidget* child : children) {
            EXPECT_TRUE(child == frame || frame->geometry().contains(child->geometry())) << CWnd::GetDlgCtrlID(child);
        }
        ClickButton(d, IDCANCEL);
    });
}

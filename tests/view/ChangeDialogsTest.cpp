// The "Change char" and "Change key" dialogs answered through their controls.
#include "view/CChangeCharDlg.h"
#include "view/CChangeKeyDlg.h"

#include "tests/DialogDriver.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Runs the dialog: checks its layout, keeps what its two fields (and box) show
// at open, types over the fields, clicks the box when asked and presses OK.
QStringList TypeAndConfirm(CDialog& dialog, int firstId, int secondId, const char* first, const char* second,
                           bool clickBox)
{
    QStringList shown;
    EXPECT_EQ(RunAnswering(dialog,
                           [&](CDialog& d) {
                               ExpectLegibleLayout(d);
                               for (int id : {firstId, secondId}) {
                                   QLineEdit* edit = ControlOf<QLineEdit>(d, id);
                                   shown << (edit != nullptr ? edit->text() : QStringLiteral("<none>"));
                               }
                               if (QCheckBox* box = ControlOf<QCheckBox>(d, IDC_CAPSLOCK)) {
                                   shown << (box->isChecked() ? "checked" : "clear");
                               }
                               TypeInto(d, firstId, QString::fromLatin1(first));
                               TypeInto(d, secondId, QString::fromLatin1(second));
                               if (clickBox) {
                                   ClickButton(d, IDC_CAPSLOCK);
                               }
                               ClickButton(d, IDOK);
                           }),
              IDOK);
    return shown;
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

// Cancel is checked where a click opens the dialogs.
TEST(ChangeDialogs, AreLegibleShowTheValuesAndReadBackWhatWasTyped)
{
    VarnoRegisterResources();
    struct Case {
        const char* what;
        bool keyDialog;
        const char* first;
        const char* second;
        bool clickBox;
        int firstAfter;
        int secondAfter;
        bool capsAfter;
    };
    const Case cases[] = {
        {"char: two digits for the byte, four for the value", false, "123", "12345", false, 0x12, 0x1234, false},
        {"char: fields that convert nothing keep the values", false, "", "zz", false, 0x8A, 0x410, false},
        {"key: any number of digits, and the box", true, "b1", "1A3", true, 0xB1, 0x1A3, false},
        {"key: a field that converts nothing keeps its value", true, "nope", "  41", false, 0x31, 0x41, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.keyDialog) {
            CChangeKeyDlg dialog;
            dialog.m_nLow = 0x31;
            dialog.m_nHigh = 0x21;
            dialog.m_bCapsLock = true;
            EXPECT_EQ(TypeAndConfirm(dialog, IDC_LOW, IDC_HIGH, c.first, c.second, c.clickBox),
                      (QStringList{"31", "21", "checked"}));
            EXPECT_EQ(std::tuple(dialog.m_nLow, dialog.m_nHigh, dialog.m_bCapsLock),
                      std::tuple(c.firstAfter, c.secondAfter, c.capsAfter));
        } else {
            CChangeCharDlg dialog;
            dialog.m_nChar = 0x8A;
            dialog.m_nUnicode = 0x410;
            EXPECT_EQ(TypeAndConfirm(dialog, IDC_CHAR, IDC_UNICODE, c.first, c.second, c.clickBox),
                      (QStringList{"8A", "0410"}));
            EXPECT_EQ(std::tuple(dialog.m_nChar, dialog.m_nUnicode), std::tuple(c.firstAfter, c.secondAfter));
        }
    }
}

TEST(ChangeDialogs, KeyboardAloneFillsThemIn)
{
    VarnoRegisterResources();
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

    // The key dialog opens in the low field.
    CChangeKeyDlg keyDialog;
    EXPECT_EQ(RunAnswering(keyDialog,
                           [&](CDialog& d) {
                               order = TabOrder(d, 6);
                               PressKey(d, Qt::Key_Return);
                           }),
              IDOK);
    EXPECT_EQ(order, (std::vector<int>{IDC_LOW, IDC_HIGH, IDC_CAPSLOCK, IDOK, IDCANCEL, IDC_LOW}));
}

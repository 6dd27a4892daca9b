// The "Change char" and "Change key" dialogs answered through their controls.
#include "view/CChangeCharDlg.h"
#include "view/CChangeKeyDlg.h"

#include "tables/CNtCodePageHandler.h"
#include "tests/DialogDriver.h"
#include "tests/HandlerImage.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// What a run of a dialog showed: the fields (and box) at open, then the live line and OK's state after typing.
struct Shown {
    QStringList atOpen;
    std::string line;
    bool okEnabled = false;
};

// Runs the dialog: checks its layout, keeps what it shows, types over the two
// fields, clicks the box when asked and presses OK, then Cancel in case OK
// could not be pressed.
Shown TypeAndConfirm(CDialog& dialog, int firstId, int secondId, const char* first, const char* second, bool clickBox)
{
    Shown shown;
    RunAnswering(dialog, [&](CDialog& d) {
        ExpectLegibleLayout(d);
        for (int id : {firstId, secondId}) {
            QLineEdit* edit = ControlOf<QLineEdit>(d, id);
            shown.atOpen << (edit != nullptr ? edit->text() : QStringLiteral("<none>"));
        }
        if (QCheckBox* box = ControlOf<QCheckBox>(d, IDC_CAPSLOCK)) {
            shown.atOpen << (box->isChecked() ? "checked" : "clear");
        }
        TypeInto(d, firstId, QString::fromUtf8(first));
        TypeInto(d, secondId, QString::fromUtf8(second));
        if (clickBox) {
            ClickButton(d, IDC_CAPSLOCK);
        }
        const auto* line = d.GetWidget()->findChild<QLabel*>(QStringLiteral("liveLine"));
        shown.line = line != nullptr ? line->text().toStdString() : "<no line>";
        ExpectLegibleLayout(d);
        shown.okEnabled = ControlOf(d, IDOK)->isEnabled();
        ClickButton(d, IDOK);
        if (d.GetWidget() != nullptr && d.GetWidget()->isVisible()) {
            ClickButton(d, IDCANCEL);
        }
    });
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

// The live line reads the fields as OK does; OK waits while a field gives no value that it could take, and
// then the members keep what the caller put in. Glyphs show in the default display font's windows-1251; the
// key dialog's box is clicked every time.
TEST(ChangeDialogs, AreLegibleShowTheValuesAndReadBackWhatWasTyped)
{
    VarnoRegisterResources();
    CNtCodePageHandler windows1252;
    ASSERT_TRUE(LoadImage(windows1252, samples::MakeNtCodePageFile({.codePage = "windows-1252", .number = 1252})));
    struct Case {
        const char* what;
        bool keyDialog;
        const char* first;
        const char* second;
        const char* line;
        bool ok;
        int firstAfter;
        int secondAfter;
    };
    const Case cases[] = {
        {"char: what follows the digits is not read", false, " c0 ", "00c0x",
         "U+00C0 À LATIN CAPITAL LETTER A WITH GRAVE\nheld by C0", true, 0xC0, 0xC0},
        {"char: a value that no byte holds", false, "8a", "0410", "U+0410 А CYRILLIC CAPITAL LETTER A\nheld by no byte",
         true, 0x8A, 0x410},
        {"char: the longest name", false, "8a", "fbf9",
         "U+FBF9 ﯹ ARABIC LIGATURE UIGHUR KIRGHIZ YEH WITH HAMZA ABOVE WITH ALEF MAKSURA ISOLATED FORM\nheld by no byte",
         true, 0x8A, 0xFBF9},
        {"char: a control character", false, "8a", "81", "U+0081 control character, no glyph\nheld by 81", true,
         0x8A, 0x81},
        {"char: a value without a digit", false, "8A", "Ё", "Unicode: not a hexadecimal number", false, 0x8A, 0x410},
        {"char: a blank byte", false, "  ", "0410", "Char: not a hexadecimal number", false, 0x8A, 0x410},
        // No digit is dropped: a longer number is refused, not cut to the field's width.
        {"char: a byte of three digits", false, "123", "0410", "Char: not a byte (00 to FF)", false, 0x8A, 0x410},
        {"char: a value of five digits", false, "8a", "1F600", "Unicode: not a value 0000 to FFFF", false, 0x8A, 0x410},
        {"char: a surrogate", false, "8a", "dfff",
         "Unicode: a surrogate (D800 to DFFF), which no single-byte code page maps to", false, 0x8A, 0x410},
        {"key: bytes and the box", true, "b1", "0", "Low B1 (±) · High 00 (no glyph) in windows-1251", true, 0xB1, 0x00},
        {"key: not hexadecimal", true, "ZZ", "21", "Low: not a byte (00 to FF)", false, 0x31, 0x21},
        {"key: more than a byte", true, " 41", "1A3", "High: not a byte (00 to FF)", false, 0x31, 0x21},
        {"key: more digits than an int holds", true, "100000041", "21", "Low: not a byte (00 to FF)", false, 0x31, 0x21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.keyDialog) {
            CChangeKeyDlg dialog;
            dialog.m_nLow = 0x31;
            dialog.m_nHigh = 0x21;
            dialog.m_bCapsLock = true;
            dialog.m_nKey = 7;
            const Shown shown = TypeAndConfirm(dialog, IDC_LOW, IDC_HIGH, c.first, c.second, true);
            EXPECT_EQ(shown.atOpen, (QStringList{"31", "21", "checked"}));
            EXPECT_EQ(std::tuple(shown.line, shown.okEnabled), std::tuple(std::string(c.line), c.ok));
            EXPECT_EQ(std::tuple(dialog.m_nLow, dialog.m_nHigh, dialog.m_bCapsLock),
                      std::tuple(c.firstAfter, c.secondAfter, !c.ok));
        } else {
            CChangeCharDlg dialog;
            dialog.m_nChar = 0x8A;
            dialog.m_nUnicode = 0x410;
            dialog.m_pHandler = &windows1252;
            const Shown shown = TypeAndConfirm(dialog, IDC_CHAR, IDC_UNICODE, c.first, c.second, false);
            EXPECT_EQ(shown.atOpen, (QStringList{"8A", "0410"}));
            EXPECT_EQ(std::tuple(shown.line, shown.okEnabled), std::tuple(std::string(c.line), c.ok));
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

    // The key dialog opens in the low field and names its key in the title.
    CChangeKeyDlg keyDialog;
    keyDialog.m_nKey = 7;
    QString title;
    EXPECT_EQ(RunAnswering(keyDialog,
                           [&](CDialog& d) {
                               title = d.GetWidget()->windowTitle();
                               order = TabOrder(d, 6);
                               PressKey(d, Qt::Key_Return);
                           }),
              IDOK);
    EXPECT_EQ(order, (std::vector<int>{IDC_LOW, IDC_HIGH, IDC_CAPSLOCK, IDOK, IDCANCEL, IDC_LOW}));
    EXPECT_EQ(title, QStringLiteral("Change key: 7 &"));
}

#include "view/CChangeCharDlg.h"
#include "view/CChangeKeyDlg.h"

#include "tests/DialogDriver.h"

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

QString TextOf(CDialog& dialog, int id)
{
    QLineEdit* edit = ControlOf<QLineEdit>(dialog, id);
    return edit != nullptr ? edit->text() : QStringLiteral("<none>");
}

bool IsChecked(CDialog& dialog, int id)
{
    QCheckBox* box = ControlOf<QCheckBox>(dialog, id);
    return box != nullptr && box->isChecked();
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

TEST_F(ChangeDialogs, CharDialogShowsItsValuesAndOkWithoutEditsGivesThemBack)
{
    CChangeCharDlg dialog;
    dialog.m_nChar = 0x8A;
    dialog.m_nUnicode = 0x410;
    QString charText, unicodeText;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        charText = TextOf(d, IDC_CHAR);
        unicodeText = TextOf(d, IDC_UNICODE);
        SaveScreenshot(d, "change-char");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(charText, "8A");
    EXPECT_EQ(unicodeText, "0410");
    EXPECT_EQ(dialog.m_nChar, 0x8A);
    EXPECT_EQ(dialog.m_nUnicode, 0x410);
    EXPECT_EQ(dialog.m_editChar.GetWidget(), nullptr) << "the controls go with the dialog";
}

TEST_F(ChangeDialogs, CharDialogReadsTheTypedFieldsWithTheirWidths)
{
    struct Case {
        const char* charText;
        const char* unicodeText;
        int expectedChar;
        int expectedUnicode;
    };
    const Case cases[] = {
        {"9f", "44B", 0x9F, 0x44B},
        {"123", "12345", 0x12, 0x1234},
        {"", "", 0x8A, 0x410},
        {"  C0", "zz", 0xC0, 0x410},
    };
    for (const Case& c : cases) {
        CChangeCharDlg dialog;
        dialog.m_nChar = 0x8A;
        dialog.m_nUnicode = 0x410;
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            TypeInto(d, IDC_CHAR, QString::fromLatin1(c.charText));
            TypeInto(d, IDC_UNICODE, QString::fromLatin1(c.unicodeText));
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.m_nChar, c.expectedChar) << c.charText;
        EXPECT_EQ(dialog.m_nUnicode, c.expectedUnicode) << c.unicodeText;
    }
}

TEST_F(ChangeDialogs, CharDialogCancelOrEscapeAfterEditsChangeNothing)
{
    const std::vector<std::function<void(CDialog&)>> leave = {
        [](CDialog& d) { ClickButton(d, IDCANCEL); },
        [](CDialog& d) { PressKey(d, Qt::Key_Escape); },
    };
    for (std::size_t i = 0; i < leave.size(); ++i) {
        CChangeCharDlg dialog;
        dialog.m_nChar = 0x8A;
        dialog.m_nUnicode = 0x410;
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            TypeInto(d, IDC_CHAR, "9F");
            TypeInto(d, IDC_UNICODE, "0451");
            leave[i](d);
        });
        EXPECT_EQ(result, IDCANCEL) << "way " << i;
        EXPECT_EQ(dialog.m_nChar, 0x8A) << "way " << i;
        EXPECT_EQ(dialog.m_nUnicode, 0x410) << "way " << i;
    }
}

TEST_F(ChangeDialogs, CharDialogOpensInTheUnicodeFieldAndTabsInTemplateOrder)
{
    CChangeCharDlg dialog;
    dialog.m_nChar = 0x8A;
    dialog.m_nUnicode = 0x410;
    QWidget* focused = nullptr;
    QWidget* unicodeField = nullptr;
    std::vector<int> order;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        focused = QApplication::focusWidget();
        unicodeField = ControlOf<QLineEdit>(d, IDC_UNICODE);
        order = TabOrder(d, 5);
        ClickButton(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NE(focused, nullptr);
    EXPECT_EQ(focused, unicodeField);
    EXPECT_EQ(order, (std::vector<int>{IDC_UNICODE, IDOK, IDCANCEL, IDC_CHAR, IDC_UNICODE}));
}

TEST_F(ChangeDialogs, CharDialogTypingOverTheFocusedFieldAndEnterIsOk)
{
    CChangeCharDlg dialog;
    dialog.m_nChar = 0x8A;
    dialog.m_nUnicode = 0x410;
    INT_PTR result = RunAnswering(dialog, [](CDialog&) {
        // Typing at once replaces the whole value, as in any such dialog.
        QTest::keyClicks(QApplication::focusWidget(), "0401");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_nUnicode, 0x401);
    EXPECT_EQ(dialog.m_nChar, 0x8A);
}

TEST_F(ChangeDialogs, KeyDialogShowsItsValues)
{
    CChangeKeyDlg dialog;
    dialog.m_nLow = 0x31;
    dialog.m_nHigh = 0x21;
    dialog.m_bCapsLock = false;
    QString low, high;
    bool checked = true;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        low = TextOf(d, IDC_LOW);
        high = TextOf(d, IDC_HIGH);
        checked = IsChecked(d, IDC_CAPSLOCK);
        SaveScreenshot(d, "change-key");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(low, "31");
    EXPECT_EQ(high, "21");
    EXPECT_FALSE(checked);
    EXPECT_EQ(dialog.m_nLow, 0x31);
    EXPECT_EQ(dialog.m_nHigh, 0x21);
    EXPECT_FALSE(dialog.m_bCapsLock);
}

TEST_F(ChangeDialogs, KeyDialogReadsAnyNumberOfDigitsAndTheBox)
{
    struct Case {
        bool capsBefore;
        bool click;
        const char* low;
        const char* high;
        int expectedLow;
        int expectedHigh;
    };
    const Case cases[] = {
        {false, true, "b1", "1A3", 0xB1, 0x1A3},
        {true, true, "", "  41", 0x31, 0x41},
        {true, false, "nope", "21", 0x31, 0x21},
        {false, false, "0x33", "fff", 0x33, 0xFFF},
    };
    for (const Case& c : cases) {
        CChangeKeyDlg dialog;
        dialog.m_nLow = 0x31;
        dialog.m_nHigh = 0x21;
        dialog.m_bCapsLock = c.capsBefore;
        bool shownChecked = !c.capsBefore;
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            shownChecked = IsChecked(d, IDC_CAPSLOCK);
            TypeInto(d, IDC_LOW, QString::fromLatin1(c.low));
            TypeInto(d, IDC_HIGH, QString::fromLatin1(c.high));
            if (c.click) {
                ClickButton(d, IDC_CAPSLOCK);
            }
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(shownChecked, c.capsBefore);
        EXPECT_EQ(dialog.m_nLow, c.expectedLow) << c.low;
        EXPECT_EQ(dialog.m_nHigh, c.expectedHigh) << c.high;
        EXPECT_EQ(dialog.m_bCapsLock, c.capsBefore != c.click);
    }
}

TEST_F(ChangeDialogs, KeyDialogCancelAfterEditsChangesNothing)
{
    for (bool escape : {false, true}) {
        CChangeKeyDlg dialog;
        dialog.m_nLow = 0x31;
        dialog.m_nHigh = 0x21;
        dialog.m_bCapsLock = false;
        INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
            TypeInto(d, IDC_LOW, "B1");
            TypeInto(d, IDC_HIGH, "A1");
            ClickButton(d, IDC_CAPSLOCK);
            if (escape) {
                PressKey(d, Qt::Key_Escape);
            } else {
                ClickButton(d, IDCANCEL);
            }
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dialog.m_nLow, 0x31);
        EXPECT_EQ(dialog.m_nHigh, 0x21);
        EXPECT_FALSE(dialog.m_bCapsLock);
    }
}

TEST_F(ChangeDialogs, KeyDialogFocusTabOrderAndEnterOnTheBox)
{
    CChangeKeyDlg dialog;
    dialog.m_nLow = 0x31;
    dialog.m_nHigh = 0x21;
    dialog.m_bCapsLock = false;
    std::vector<int> order;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        order = TabOrder(d, 6);
        // Round to the box; Space toggles it and Enter there presses the default button.
        PressKey(d, Qt::Key_Tab);
        PressKey(d, Qt::Key_Tab);
        PressKey(d, Qt::Key_Space);
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(order, (std::vector<int>{IDC_LOW, IDC_HIGH, IDC_CAPSLOCK, IDOK, IDCANCEL, IDC_LOW}));
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(dialog.m_bCapsLock);
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
        QWidget* frame = nullptr;
        for (QWidget* child : d.GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QGroupBox*>(child) != nullptr) {
                frame = child;
            }
        }
        ASSERT_NE(frame, nullptr);
        for (QWidget* child : d.GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != frame) {
                EXPECT_TRUE(frame->geometry().contains(child->geometry())) << CWnd::GetDlgCtrlID(child);
            }
        }
        ClickButton(d, IDCANCEL);
    });
}

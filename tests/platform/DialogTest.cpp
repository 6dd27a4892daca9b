#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/DialogTemplate.h"

#include "tests/DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum : UINT { IDD_TEST = 9001 };
enum : int { IDC_FIRST = 2001, IDC_SECOND, IDC_CHECK };

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP;

// Tab order deliberately differs from the geometry: the template decides.
constexpr AfxDialogItem kItems[] = {
    {AfxControlKind::StaticRight, IDC_STATIC, "Label:", 4, 6, 30, 8, kChild | WS_GROUP},
    {AfxControlKind::Edit, IDC_SECOND, nullptr, 40, 22, 40, 12, kEdit},
    {AfxControlKind::AutoCheckBox, IDC_CHECK, "Check", 40, 56, 50, 10, kChild | WS_TABSTOP},
    {AfxControlKind::Edit, IDC_FIRST, nullptr, 40, 4, 40, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 100, 4, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 100, 22, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::GroupBox, IDC_STATIC, nullptr, 2, 0, 90, 70, kChild},
    {AfxControlKind::Icon, IDC_STATIC, nullptr, 130, 56, 20, 20, kChild, 4243},
};

constexpr AfxDialogTemplate kTemplates[] = {
    {IDD_TEST, "Test dialog", 160, 80, "DejaVu Sans", 8, kItems},
};

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST) {}

    CEdit m_editFirst;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_FIRST, m_editFirst); }
};

class Dialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AfxRegisterDialogTemplates(kTemplates); }
};

// Every way out of a dialog, for every dialog built from a template.
TEST_F(Dialog, EndsWithTheButtonOrKeyThatEndedIt)
{
    struct Case {
        const char* what;
        std::function<void(CDialog&)> act;
        INT_PTR expected;
    };
    const std::vector<Case> cases = {
        {"OK clicked", [](CDialog& d) { ClickButton(d, IDOK); }, IDOK},
        {"Cancel clicked", [](CDialog& d) { ClickButton(d, IDCANCEL); }, IDCANCEL},
        {"Escape", [](CDialog& d) { PressKey(d, Qt::Key_Escape); }, IDCANCEL},
        {"close box", [](CDialog& d) { d.GetWidget()->close(); }, IDCANCEL},
        {"Enter in an edit field", [](CDialog& d) { PressKey(d, Qt::Key_Return); }, IDOK},
        {"keypad Enter", [](CDialog& d) { PressKey(d, Qt::Key_Enter); }, IDOK},
        {"Enter on the focused Cancel button",
         [](CDialog& d) {
             ControlOf(d, IDCANCEL)->setFocus(Qt::TabFocusReason);
             PressKey(d, Qt::Key_Return);
         },
         IDCANCEL},
        {"EndDialog with a value of its own", [](CDialog& d) { d.EndDialog(77); }, 77},
    };
    for (const Case& c : cases) {
        CTestDlg dialog;
        EXPECT_EQ(RunAnswering(dialog, c.act), c.expected) << c.what;
        EXPECT_EQ(dialog.GetWidget(), nullptr) << c.what;
    }
    CDialog unknown(4711);
    EXPECT_EQ(unknown.DoModal(), -1);
}

TEST_F(Dialog, IconsTakeTheirImageSizeGroupBoxesLieBeneathAndTextIsCutToTheBuffer)
{
    CTestDlg dialog;
    RunAnswering(dialog, [&](CDialog& d) {
        // The icon shows its image at the image's size.
        QList<QLabel*> icons;
        for (QLabel* label : d.GetWidget()->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                icons.append(label);
            }
        }
        ASSERT_EQ(icons.size(), 1);
        EXPECT_EQ(icons[0]->size(), QSize(32, 32));
        EXPECT_GT(icons[0]->x(), d.GetWidget()->width() * 130 / 160 - 2);
        // The controls inside a group box still take clicks.
        QWidget* inside = ControlOf(d, IDC_SECOND);
        EXPECT_EQ(d.GetWidget()->childAt(inside->geometry().center()), inside);
        TypeInto(d, IDC_FIRST, "typed by the user");
        char typed[8] = {};
        EXPECT_EQ(static_cast<CTestDlg&>(d).m_editFirst.GetWindowText(typed, sizeof typed), 7);
        EXPECT_STREQ(typed, "typed b");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(dialog.m_editFirst.GetWidget(), nullptr) << "the controls go with the dialog";
}

} // namespace

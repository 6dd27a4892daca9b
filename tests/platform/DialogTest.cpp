#include "platform/CButton.h"
#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/DialogTemplate.h"

#include "tests/DialogDriver.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT IDD_TEST = 9001;
constexpr UINT IDD_TEST_FALLBACK_FONT = 9002;
constexpr int IDC_FIRST = 2001;
constexpr int IDC_SECOND = 2002;
constexpr int IDC_CHECK = 2003;
constexpr int IDC_APPLY = 2004;
constexpr int IDC_NOSTOP = 2005;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

// Tab order deliberately differs from the geometry: the template decides.
constexpr AfxDialogItem kItems[] = {
    {AfxControlKind::StaticRight, IDC_STATIC, "Label:", 4, 6, 30, 8, kChild | WS_GROUP | SS_RIGHT},
    {AfxControlKind::Edit, IDC_NOSTOP, nullptr, 40, 40, 40, 12, kChild | WS_BORDER},
    {AfxControlKind::Edit, IDC_SECOND, nullptr, 40, 22, 40, 12, kEdit},
    {AfxControlKind::AutoCheckBox, IDC_CHECK, "Check", 40, 56, 50, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
    {AfxControlKind::Edit, IDC_FIRST, nullptr, 40, 4, 40, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 100, 4, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 100, 22, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDC_APPLY, "Apply", 100, 40, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::GroupBox, IDC_STATIC, nullptr, 2, 0, 90, 70, kChild | BS_GROUPBOX},
    {AfxControlKind::Icon, IDC_STATIC, nullptr, 110, 56, 20, 20, kChild | SS_ICON, 4242},
    {AfxControlKind::Icon, IDC_STATIC, nullptr, 130, 56, 20, 20, kChild | SS_ICON, 4243},
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr AfxDialogTemplate kTemplate = {IDD_TEST, "Test dialog", kDialogStyle, 160, 80, "DejaVu Sans", 8, kItems};
constexpr AfxDialogTemplate kFallbackTemplate = {
    IDD_TEST_FALLBACK_FONT, "Fallback", kDialogStyle, 160, 80, "No Such Face Anywhere", 8, kItems};

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(UINT id = IDD_TEST) : CDialog(id) {}

    CEdit m_editFirst;
    CButton m_check;
    int m_applyCount = 0;
    bool m_refuseCancel = false;
    int m_endInInit = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_FIRST, m_editFirst);
        DDX_Control(pDX, IDC_CHECK, m_check);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_editFirst.SetWindowText("first");
        if (m_endInInit != 0) {
            EndDialog(m_endInInit);
        }
        return TRUE;
    }
    void OnCancel() override
    {
        if (!m_refuseCancel) {
            CDialog::OnCancel();
        }
    }
    void OnApply() { ++m_applyCount; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_COMMAND(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

class Dialog : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxRegisterDialogTemplate(kTemplate);
        AfxRegisterDialogTemplate(kFallbackTemplate);
    }
};

int Round(int a, int b, int c) { return (a * b + c / 2) / c; }

} // namespace

TEST_F(Dialog, PlacesControlsInDialogUnitsOfItsFont)
{
    CTestDlg dialog;
    QRect first, check, window;
    RunAnswering(dialog, [&](CDialog& d) {
        first = ControlOf<QLineEdit>(d, IDC_FIRST)->geometry();
        check = ControlOf<QCheckBox>(d, IDC_CHECK)->geometry();
        window = d.GetWidget()->rect();
        EXPECT_EQ(d.GetWidget()->windowTitle(), "Test dialog");
        SaveScreenshot(d, "test-dialog");
        ClickButton(d, IDCANCEL);
    });
    // Base units as the window system takes them: the rounded average width of
    // the 52 letters and the character height of the dialog's font.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    QFontMetrics metrics(font);
    int baseX = (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    int baseY = metrics.height();
    EXPECT_EQ(window.size(), QSize(Round(160, baseX, 4), Round(80, baseY, 8)));
    EXPECT_EQ(first, QRect(Round(40, baseX, 4), Round(4, baseY, 8), Round(40, baseX, 4), Round(12, baseY, 8)));
    EXPECT_EQ(check, QRect(Round(40, baseX, 4), Round(56, baseY, 8), Round(50, baseX, 4), Round(10, baseY, 8)));
}

TEST_F(Dialog, MissingFaceFallsBackToAnInstalledSansFont)
{
    CTestDlg dialog(IDD_TEST_FALLBACK_FONT);
    QString family;
    RunAnswering(dialog, [&](CDialog& d) {
        family = QFontInfo(d.GetWidget()->font()).family();
        ExpectLegibleLayout(d);
        ClickButton(d, IDCANCEL);
    });
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Cyrillic).contains(family)) << family.toStdString();
}

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
             ControlOf<QPushButton>(d, IDCANCEL)->setFocus(Qt::TabFocusReason);
             PressKey(d, Qt::Key_Return);
         },
         IDCANCEL},
        {"EndDialog with a value of its own", [](CDialog& d) { d.EndDialog(77); }, 77},
    };
    for (const Case& c : cases) {
        CTestDlg dialog;
        EXPECT_EQ(RunAnswering(dialog, c.act), c.expected) << c.what;
    }
}

TEST_F(Dialog, FocusStartsAtTheFirstTabStopAndTabFollowsTheTemplate)
{
    CTestDlg dialog;
    std::vector<int> order;
    QString selected;
    RunAnswering(dialog, [&](CDialog& d) {
        selected = ControlOf<QLineEdit>(d, IDC_SECOND)->selectedText();
        order.push_back(FocusedControlId(d));
        for (int i = 0; i < 6; ++i) {
            PressKey(d, Qt::Key_Tab);
            order.push_back(FocusedControlId(d));
        }
        PressKey(d, Qt::Key_Tab, Qt::ShiftModifier);
        order.push_back(FocusedControlId(d));
        ClickButton(d, IDCANCEL);
    });
    EXPECT_EQ(order, (std::vector<int>{IDC_SECOND, IDC_CHECK, IDC_FIRST, IDOK, IDCANCEL, IDC_APPLY, IDC_SECOND, IDC_APPLY}));
    EXPECT_EQ(selected, "") << "an empty field has nothing to select";
}

TEST_F(Dialog, ButtonsReachTheMessageMapAndCancelCanBeRefused)
{
    CTestDlg dialog;
    dialog.m_refuseCancel = true;
    bool stayedOpen = false;
    INT_PTR result = RunAnswering(dialog, [&](CDialog& d) {
        ClickButton(d, IDC_APPLY);
        ClickButton(d, IDC_APPLY);
        PressKey(d, Qt::Key_Escape);
        ClickButton(d, IDCANCEL);
        d.GetWidget()->close();
        stayedOpen = d.GetWidget()->isVisible();
        ClickButton(d, IDOK);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_applyCount, 2);
}

TEST_F(Dialog, BoundControlsActOnTheRealWidgetsWhileTheDialogRuns)
{
    CTestDlg dialog;
    QString shown;
    std::vector<int> checks;
    char typed[8] = {};
    int typedCount = -1;
    RunAnswering(dialog, [&](CDialog& d) {
        auto& test = static_cast<CTestDlg&>(d);
        shown = ControlOf<QLineEdit>(d, IDC_FIRST)->text();
        TypeInto(d, IDC_FIRST, "typed by the user");
        typedCount = test.m_editFirst.GetWindowText(typed, sizeof typed);
        checks.push_back(static_cast<int>(test.m_check.SendMessage(BM_GETCHECK)));
        ClickButton(d, IDC_CHECK);
        checks.push_back(static_cast<int>(test.m_check.SendMessage(BM_GETCHECK)));
        test.m_check.SendMessage(BM_SETCHECK, BST_UNCHECKED);
        checks.push_back(ControlOf<QCheckBox>(d, IDC_CHECK)->isChecked() ? 1 : 0);
        // A two-state box shows any other state as checked.
        test.m_check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
        checks.push_back(test.m_check.GetCheck());
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(shown, "first");
    EXPECT_EQ(typedCount, 7);
    EXPECT_STREQ(typed, "typed b");
    EXPECT_EQ(checks, (std::vector<int>{BST_UNCHECKED, BST_CHECKED, 0, BST_CHECKED}));
    EXPECT_FALSE(dialog.m_editFirst.IsWindow());
    EXPECT_EQ(dialog.GetWidget(), nullptr);
}

TEST_F(Dialog, ControlsFollowTheirTemplateKinds)
{
    CTestDlg dialog;
    RunAnswering(dialog, [&](CDialog& d) {
        EXPECT_TRUE(ControlOf<QPushButton>(d, IDOK)->isDefault());
        EXPECT_FALSE(ControlOf<QPushButton>(d, IDCANCEL)->isDefault());
        EXPECT_EQ(ControlOf<QLineEdit>(d, IDC_NOSTOP)->focusPolicy(), Qt::ClickFocus);
        QLabel* label = ControlOf<QLabel>(d, IDC_STATIC);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Label:");
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        // An icon shows its image at the image's size; a missing image shows nothing.
        QList<QLabel*> icons;
        for (QLabel* icon : d.GetWidget()->findChildren<QLabel*>()) {
            if (icon != label && !icon->pixmap().isNull()) {
                icons.append(icon);
            }
        }
        ASSERT_EQ(icons.size(), 1);
        EXPECT_EQ(icons[0]->size(), QSize(32, 32));
        EXPECT_GT(icons[0]->x(), d.GetWidget()->width() * 130 / 160 - 2);
        // The frame lies beneath the controls it encloses, so they still take clicks.
        QGroupBox* frame = d.GetWidget()->findChild<QGroupBox*>();
        ASSERT_NE(frame, nullptr);
        QLineEdit* inside = ControlOf<QLineEdit>(d, IDC_SECOND);
        EXPECT_EQ(d.GetWidget()->childAt(inside->geometry().center()), inside);
        ClickButton(d, IDOK);
    });
}

TEST_F(Dialog, EndDialogWhileInitialisingNeverShowsIt)
{
    bool hookRan = false;
    CTestDlg dialog;
    dialog.m_endInInit = IDCANCEL;
    EXPECT_EQ(RunAnswering(dialog, [&](CDialog&) { hookRan = true; }), IDCANCEL);
    EXPECT_FALSE(hookRan);
}

TEST_F(Dialog, FailuresReturnMinusOneInsteadOfHanging)
{
    CDialog unknown(4711);
    EXPECT_EQ(unknown.DoModal(), -1);

    CTestDlg leftOpen;
    EXPECT_EQ(RunAnswering(leftOpen, [](CDialog&) {}), -1);

    // The same object runs again normally afterwards.
    EXPECT_EQ(RunAnswering(leftOpen, [](CDialog& d) { ClickButton(d, IDOK); }), IDOK);
}

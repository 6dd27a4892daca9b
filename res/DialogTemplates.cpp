#include "res/Resource.h"

#include "platform/DialogTemplate.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP;
constexpr DWORD kLabel = kChild | WS_GROUP;

constexpr AfxDialogItem kAboutItems[] = {
    {AfxControlKind::Icon, IDC_STATIC, nullptr, 11, 17, 20, 20, kChild, IDR_MAINFRAME},
    {AfxControlKind::StaticLeft, IDC_STATIC, "varno Version 1.0", 40, 10, 119, 8, kLabel},
    {AfxControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 14, kChild | WS_TABSTOP | WS_GROUP},
};

constexpr AfxDialogItem kChangeCharItems[] = {
    {AfxControlKind::Edit, IDC_UNICODE, nullptr, 71, 26, 43, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 129, 24, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::Edit, IDC_CHAR, nullptr, 13, 26, 43, 12, kEdit},
    {AfxControlKind::StaticLeft, IDC_STATIC, "Char", 13, 13, 43, 8, kLabel},
    {AfxControlKind::StaticLeft, IDC_STATIC, "Unicode", 71, 13, 43, 8, kLabel},
};

constexpr AfxDialogItem kChangeKeyItems[] = {
    {AfxControlKind::Edit, IDC_LOW, nullptr, 49, 14, 48, 12, kEdit},
    {AfxControlKind::Edit, IDC_HIGH, nullptr, 49, 31, 48, 12, kEdit},
    {AfxControlKind::AutoCheckBox, IDC_CAPSLOCK, "Use capslock", 49, 49, 59, 10, kChild | WS_TABSTOP},
    {AfxControlKind::DefPushButton, IDOK, "OK", 129, 14, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 129, 31, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::StaticRight, IDC_STATIC, "Low:", 14, 14, 28, 12, kLabel},
    {AfxControlKind::GroupBox, IDC_STATIC, nullptr, 7, 1, 178, 61, kChild},
    {AfxControlKind::StaticRight, IDC_STATIC, "High:", 14, 31, 28, 12, kLabel},
};

// A live line under the field says what the text means (view/CTextFieldDlg.h).
constexpr AfxDialogItem kGoToByteItems[] = {
    {AfxControlKind::StaticLeft, IDC_STATIC, "Byte (hexadecimal):", 7, 9, 70, 8, kLabel},
    {AfxControlKind::Edit, IDC_FIELD, nullptr, 80, 7, 60, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 160, 7, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 160, 24, 50, 14, kChild | WS_TABSTOP},
};

constexpr AfxDialogItem kFindItems[] = {
    {AfxControlKind::StaticLeft, IDC_STATIC, "Find what:", 7, 9, 40, 8, kLabel},
    {AfxControlKind::Edit, IDC_FIELD, nullptr, 50, 7, 120, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 14, kChild | WS_TABSTOP},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 178, 24, 50, 14, kChild | WS_TABSTOP},
};

constexpr AfxDialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, "About varno", 235, 55, "MS Sans Serif", 8, kAboutItems},
    {IDD_CHANGE_CHAR, "Change char", 186, 53, "MS Sans Serif", 8, kChangeCharItems},
    {IDD_CHANGE_KEY, "Change key", 192, 69, "MS Sans Serif", 8, kChangeKeyItems},
    {IDD_GO_TO_BYTE, "Go to Byte", 217, 45, "MS Sans Serif", 8, kGoToByteItems},
    {IDD_FIND, "Find", 235, 45, "MS Sans Serif", 8, kFindItems},
};

} // namespace

void VarnoRegisterDialogs() { AfxRegisterDialogTemplates(kTemplates); }

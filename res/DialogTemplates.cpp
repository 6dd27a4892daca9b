#include "res/Resource.h"

#include "platform/DialogTemplate.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kChild | WS_GROUP;

constexpr AfxDialogItem kAboutItems[] = {
    {AfxControlKind::Icon, IDC_STATIC, nullptr, 11, 17, 20, 20, kChild | SS_ICON, IDR_MAINFRAME},
    {AfxControlKind::StaticLeft, IDC_STATIC, "varno Version 1.0", 40, 10, 119, 8, kLabel | SS_LEFT},
    {AfxControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 14, kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
};

constexpr AfxDialogItem kChangeCharItems[] = {
    {AfxControlKind::Edit, IDC_UNICODE, nullptr, 71, 26, 43, 12, kEdit},
    {AfxControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 129, 24, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
    {AfxControlKind::Edit, IDC_CHAR, nullptr, 13, 26, 43, 12, kEdit},
    {AfxControlKind::StaticLeft, IDC_STATIC, "Char", 13, 13, 43, 8, kLabel | SS_LEFT},
    {AfxControlKind::StaticLeft, IDC_STATIC, "Unicode", 71, 13, 43, 8, kLabel | SS_LEFT},
};

constexpr AfxDialogItem kChangeKeyItems[] = {
    {AfxControlKind::Edit, IDC_LOW, nullptr, 49, 14, 48, 12, kEdit},
    {AfxControlKind::Edit, IDC_HIGH, nullptr, 49, 31, 48, 12, kEdit},
    {AfxControlKind::AutoCheckBox, IDC_CAPSLOCK, "Use capslock", 49, 49, 59, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
    {AfxControlKind::DefPushButton, IDOK, "OK", 129, 14, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {AfxControlKind::PushButton, IDCANCEL, "Cancel", 129, 31, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
    {AfxControlKind::StaticRight, IDC_STATIC, "Low:", 14, 14, 28, 12, kLabel | SS_RIGHT},
    {AfxControlKind::GroupBox, IDC_STATIC, nullptr, 7, 1, 178, 61, kChild | BS_GROUPBOX},
    {AfxControlKind::StaticRight, IDC_STATIC, "High:", 14, 31, 28, 12, kLabel | SS_RIGHT},
};

constexpr AfxDialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, "About varno", kDialogStyle, 235, 55, "MS Sans Serif", 8, kAboutItems},
    {IDD_CHANGE_CHAR, "Change char", kDialogStyle, 186, 53, "MS Sans Serif", 8, kChangeCharItems},
    {IDD_CHANGE_KEY, "Change key", kDialogStyle, 192, 69, "MS Sans Serif", 8, kChangeKeyItems},
};

} // namespace

void VarnoRegisterDialogs() { AfxRegisterDialogTemplates(kTemplates); }

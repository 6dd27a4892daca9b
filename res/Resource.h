#pragma once
// Resource ids of the program's own resources.

#include "platform/WinTypes.h"

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_VARNOTYPE = 129;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_CHANGE_CHAR = 130;
constexpr UINT IDD_CHANGE_KEY = 131;
constexpr UINT IDD_GO_TO_BYTE = 150;
constexpr UINT IDD_FIND = 151;

constexpr UINT IDC_CHAR = 1000;
constexpr UINT IDC_UNICODE = 1001;
constexpr UINT IDC_HIGH = 1002;
constexpr UINT IDC_LOW = 1003;
constexpr UINT IDC_CAPSLOCK = 1004;
// "Take Table From": the two kinds of source, the open document, the file, and the range.
constexpr UINT IDC_TAKE_FROM_OPEN = 1010;
constexpr UINT IDC_TAKE_DOCUMENT = 1011;
constexpr UINT IDC_TAKE_FROM_FILE = 1012;
constexpr UINT IDC_TAKE_FILE = 1013;
constexpr UINT IDC_TAKE_BROWSE = 1014;
constexpr UINT IDC_TAKE_FIRST = 1015;
constexpr UINT IDC_TAKE_LAST = 1016;
// A built-in code page as the source, and every open table as the target.
constexpr UINT IDC_TAKE_FROM_CODEPAGE = 32860;
constexpr UINT IDC_TAKE_CODEPAGE = 32861;
constexpr UINT IDC_TAKE_EVERY_OPEN = 32862;
// "Undefined format": the kind to open a file as whose name makes none.
constexpr UINT IDC_KIND_NT = 1020;
constexpr UINT IDC_KIND_9X = 1021;
constexpr UINT IDC_KIND_KEYBOARD = 1022;
constexpr UINT IDC_KIND_GDI = 1023;
// The one text field of "Go to Byte" and "Find".
constexpr UINT IDC_FIELD = 1050;

constexpr UINT ID_EDIT_FONT = 32771;
constexpr UINT ID_EDIT_REFERENCE = 32772;
constexpr UINT ID_FILE_OPEN_REFERENCE = 32773;
constexpr UINT ID_EDIT_TAKE_TABLE = 32780;
// File > Save All and Close All: every open document at once.
constexpr UINT ID_FILE_SAVE_ALL = 32800;
constexpr UINT ID_FILE_CLOSE_ALL = 32801;
// View > Letters: what the cells of a code-page table show as their letter.
constexpr UINT ID_VIEW_TABLE_CHARACTERS = 32790;
constexpr UINT ID_VIEW_DISPLAY_CODE_PAGE = 32791;
// Help > Contents (F1): how to use the editor.
constexpr UINT ID_HELP_CONTENTS = 32840;
// Reaching cells, copying and exporting tables.
constexpr UINT ID_EDIT_GO_TO_BYTE = 32820;
constexpr UINT ID_EDIT_FIND = 32821;
constexpr UINT ID_EDIT_FIND_NEXT = 32822;
constexpr UINT ID_EDIT_FIND_PREVIOUS = 32823;
constexpr UINT ID_EDIT_COPY_TABLE = 32824;
constexpr UINT ID_FILE_EXPORT_MAPPING = 32825;
// Window > Compare Open Tables.
constexpr UINT ID_WINDOW_COMPARE = 32870;

// The framework's idle prompt, shown in the status bar when nothing is described there.
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;

// Registers every resource of the program with the framework; called once at start.
void VarnoRegisterResources();

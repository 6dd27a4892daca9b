#pragma once
// Resource ids of the program's own resources.

#include "platform/WinTypes.h"

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_VARNOTYPE = 129;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_CHANGE_CHAR = 130;
constexpr UINT IDD_CHANGE_KEY = 131;

constexpr UINT IDC_CHAR = 1000;
constexpr UINT IDC_UNICODE = 1001;
constexpr UINT IDC_HIGH = 1002;
constexpr UINT IDC_LOW = 1003;
constexpr UINT IDC_CAPSLOCK = 1004;

constexpr UINT ID_EDIT_FONT = 32771;

// Registers every resource of the program with the framework; called once at start.
void VarnoRegisterResources();

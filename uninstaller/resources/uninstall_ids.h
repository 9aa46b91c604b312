// Identifiers shared by uninstall.rc and the uninstaller's code.
#pragma once

#define IDR_MAINFRAME      128
#define IDB_PAGE_PICTURE   133
#define IDD_UNINSTALL      140

#define IDC_HEADLINE       1001
#define IDC_ITEMS          1002
#define IDC_CLOSING_NOTE   1003
#define IDC_REMOVE         1004

// Identifiers shared by install.rc and the wizard's code.
#pragma once

#define IDR_MAINFRAME      128
#define IDD_DIALOG1        129
#define IDD_DIALOG2        130
#define IDD_DIALOG3        131
#define IDD_DIALOG4        132
#define IDD_DIALOG5        133
#define IDB_PAGE_PICTURE   133
#define IDS_LICENCE_OPENING 102

// Browser page
#define IDC_NETSCAPE       1000
#define IDC_IE4            1001
#define IDC_IE3            1002
// Licence page
#define IDC_LICENCE        1001
// Directory page
#define IDC_PLUGIN_PATH    1001
#define IDC_SELECT_DIRECTORY 1002
// Install page
#define IDC_LOCATION       1005
#define IDC_HEADLINE       1006
#define IDC_FINISH_NOTE    1007

// Resource numbers of the program's dialogs, controls, icon and strings.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TARNVEL_DIALOG 102
// The main dialog's size in its template, in dialog units: the smallest the window becomes.
#define IDD_TARNVEL_DIALOG_CX 370
#define IDD_TARNVEL_DIALOG_CY 236
#define IDR_MAINFRAME 128

#define IDC_LIST_FILES 1001
#define IDC_SAVE_DIR 1003
#define IDC_OUTPUT_FOLDER 1005
#define IDC_PROGRESS 1006
#define IDC_TREE_FOLDERS 1007
#define IDC_SELECT_ALL 1008
#define IDC_GO 1009
#define IDC_HOMEPAGE 1011
#define IDC_ABOUT 1012
#define IDC_PDF 1013
#define IDC_SUBFOLDERS 1014
#define IDC_SKIP_CONVERTED 1015
#define IDC_STOP 1016
#define IDC_ACCOUNT 1017
#define IDC_SIZE_GRIP 1018
// The hidden imaging control, created at run time.
#define IDC_IMGEDIT 102

// The system-menu command of the About item.
#define IDM_ABOUTBOX 0x0010

// Identifiers shared by the resource script and the program's code.
#ifndef CORVANE_RES_RESOURCE_H
#define CORVANE_RES_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128

// Each picture at 100%, then at 125%, 150% and 200%, 1000 apart
// (widgets/artwork.h).
#define IDB_BACKUP_NOW 130
#define IDB_BACKUP_NOW_125 1130
#define IDB_BACKUP_NOW_150 2130
#define IDB_BACKUP_NOW_200 3130
#define IDB_ABOUT 140
#define IDB_ABOUT_125 1140
#define IDB_ABOUT_150 2140
#define IDB_ABOUT_200 3140
#define IDB_BRAND 141
#define IDB_BRAND_125 1141
#define IDB_BRAND_150 2141
#define IDB_BRAND_200 3141

// Controls of the main dialog.
#define IDC_PICTURES 1000
#define IDC_AUDIO 1001
#define IDC_VIDEO 1002
#define IDC_DOCUMENTS 1003
#define IDC_SOURCE_LIST 1004
#define IDC_ADD_FILE 1005
#define IDC_DESTINATION 1006
#define IDC_BROWSE_DESTINATION 1007
#define IDC_BACKUP_NOW 1008
#define IDC_ALL_FILE_TYPES 1010
#define IDC_AUTO_ON_SHUTDOWN 1014
#define IDC_SYSTEM_STATE 1015
#define IDC_BACKUP_ON_MODIFY 1016
#define IDC_ADD_FOLDER 1018
#define IDC_REMOVE_SELECTED 1019
#define IDC_CHECK_UPDATES 1020
#define IDC_VIRTUAL_DRIVE 1021
#define IDC_HIDDEN 1022
#define IDC_MODIFIED_ONLY 1023
// The blue column at the left of each window, and what stands on it.
#define IDC_PANEL 1024
#define IDC_BRAND 1025
#define IDC_OPTIONS_HEADER 1026

// The About box is a separate template, so its button may share a number with
// "Add File".
#define IDC_VISIT_WEBSITE 1005
#define IDC_ABOUT_PICTURE 1030
#define IDC_ABOUT_ICON 1031

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// A system-menu command: the low four bits are the system's own, so they stay clear.
#define IDM_ABOUTBOX 0x0010

#endif

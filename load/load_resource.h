// Identifiers of the monitor's own resources. The icon and the pictures of
// the left panel are the main window's, under its numbers (res/resource.h).
#ifndef CORVANE_MONITOR_RESOURCE_H
#define CORVANE_MONITOR_RESOURCE_H

#define IDD_MONITOR 300
#define IDD_RESTORE 301
#define IDD_CONFLICT 302
#define IDD_VERSIONS 303

#define IDC_HEADLINE 1100
#define IDC_PROGRESS 1101
#define IDC_FILES 1102
#define IDC_BYTES 1103
#define IDC_FOLDER 1104
#define IDC_TIME 1105
#define IDC_NOT_BACKED_UP 1106
#define IDC_OPEN_REPORT 1107
#define IDC_RESTORE_FILES 1108

// The restore window; "Restore" is IDOK, "Close" IDCANCEL.
#define IDC_RESTORE_HEADLINE 1110
#define IDC_FILTER 1111
#define IDC_BACKUP_TREE 1112
#define IDC_RESTORE_PROGRESS 1113
#define IDC_RESTORE_COUNT 1114
#define IDC_RESTORE_BYTES 1115
#define IDC_NOT_RESTORED 1116
#define IDC_RESTORE_TO 1117
#define IDC_VERSIONS 1118
#define IDC_OPEN_BACKUP 1119

// The conflict question; "Keep both" is IDOK, "Skip" IDCANCEL.
#define IDC_CONFLICT_PATH 1120
#define IDC_YOUR_FILE 1121
#define IDC_BACKUP_COPY 1122
#define IDC_FOR_ALL 1123
#define IDC_REPLACE 1124

// The versions of one file; "Restore" is IDOK.
#define IDC_VERSION_FILE 1130
#define IDC_VERSION_LIST 1131

#endif

// Identifiers of the monitor's own resources. The icon and the pictures of
// the left panel are the main window's, under its numbers (res/resource.h).
#ifndef CORVANE_MONITOR_RESOURCE_H
#define CORVANE_MONITOR_RESOURCE_H

#define IDD_MONITOR 300

#define IDC_HEADLINE 1100
#define IDC_PROGRESS 1101
#define IDC_FILES 1102
#define IDC_BYTES 1103
#define IDC_FOLDER 1104
#define IDC_TIME 1105
#define IDC_NOT_BACKED_UP 1106
#define IDC_OPEN_REPORT 1107
#define IDC_RESTORE_FILES 1108

#endif

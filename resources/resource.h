/* Identifiers shared by the resource script and the program. */
#pragma once

/* Message texts */
#define IDS_STARTUP_CAPTION 1
#define IDS_NO_TIMER 2
#define IDS_DISPLAY_TOO_SMALL 3
#define IDS_DISPLAY_CAPTION 4
#define IDS_HUEBERRY 5
#define IDS_NOT_BITMAP 6
#define IDS_NOT_PAGE 7
#define IDS_FILE_MISSING 8
#define IDS_ALL_PAGES_BAD 9
#define IDS_SAVE_FAILED 10

/* Dialog controls */
#define IDC_GROUP 102
#define IDC_ABOUT 110
#define IDC_PRINT_OPTIONS 111
#define IDC_MODE_DEFAULT 112
#define IDC_MODE_ALTERNATE1 113
#define IDC_MODE_ALTERNATE2 114
#define IDC_DEVELOPER_TEXT 1004

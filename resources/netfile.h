// Dialog templates of the network-file commands: the file dialog (older appearance), the
// event-display question before a network is replaced, and the two password dialogs.
#pragma once
#define IDD_EVENTS_PENDING    3
#define IDD_FILE_DIALOG       103
#define IDD_PASSWORD_PROMPT   112
#define IDD_PASSWORD_SET      113
#define IDC_PASSWORD_FIELD    140
#define IDC_GO_ON             120
#define IDC_FILE_OPTIONS      121

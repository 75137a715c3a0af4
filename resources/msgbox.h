// Dialog templates of the message boxes: 1 message (OK, Help), 2 question (Yes, No, Cancel, Help).
#pragma once
#define IDD_MESSAGE      1
#define IDD_QUESTION     2
#define IDC_MESSAGE_TEXT 190

// Resource numbers of the cursors and icons (drawn at build time by tools/cursors).
#pragma once
#define IDC_QUIL_EDIT              1
#define IDC_QUIL_PICK              2
#define IDC_QUIL_BUSY              3
#define IDC_QUIL_EDGE_LEFT         4
#define IDC_QUIL_EDGE_RIGHT        5
#define IDC_QUIL_EDGE_TOP          6
#define IDC_QUIL_EDGE_BOTTOM       7
#define IDC_QUIL_EDGE_TOP_LEFT     8
#define IDC_QUIL_EDGE_BOTTOM_RIGHT 9
#define IDC_QUIL_EDGE_BOTTOM_LEFT  10
#define IDC_QUIL_EDGE_TOP_RIGHT    11
#define IDI_QUIL_LARGE             2
#define IDI_QUIL_SMALL             11

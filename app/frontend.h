// The common run of a menu command's dialog: the caller fills the descriptor with the current
// values; the dialog is run, what came back is checked field by field, and on a bad field (already
// reported by the check) the dialog is opened again with the user's values and the focus on that
// field. The caller stores the values when the result is OK.
#pragma once
#include <cstdint>
#include "app/dialog.h"

// Checks the fields in the order of the dialog: 0 when all are good, else the control id of the
// first bad one (after its message was shown).
typedef uint32_t (*FrontEndCheckFn)(DialogRecord* descriptor, void* context);

// 1 when an edit window is active (commands on the cursor or a view need one).
int FrontEndHasActiveWindow();
// Sets the focus control id of the descriptor's title record (DLG_NO_FOCUS: none).
void SetDescriptorFocus(DialogRecord* descriptor, uint32_t controlId);
// Runs template templateId (proc null: DlgF_Einfach) with the focus first on no field. Returns the
// RunDialog result: DLGR_OK only when check (may be null) accepted every field; any other result
// (Cancel, a button result 120..137) as it came, without a check.
int RunFrontEndDialog(uint32_t templateId, DialogProcFn proc, DialogRecord* descriptor,
                      FrontEndCheckFn check, void* context);

// Dialog template of the day-phase times: rows of hour and minute fields 140..147 in the order of
// the day, labels 190..195, the two option boxes 470 and 471.
#pragma once
#define IDD_DAYPHASE 52

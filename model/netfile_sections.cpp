// The section table of the network file in file order, and the clear order before loading.
// Each element family puts its own reader, writer and clear function into its row.
#include "model/netfile_sections.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/grid_section.h"
#include "model/netfile.h"
#include "model/password.h"

#ifdef QUIL_VIEWER
#define NET_WRITER(fn) nullptr
#else
#define NET_WRITER(fn) fn
#endif

NetSectionRow NetSectionTable[NET_SECTION_COUNT] = {
    {"GENL", NETROW_SECTION, NETOFS_GENERAL, ReadGeneralSection, NET_WRITER(WriteGeneralSection), 0,
     0},
    {"NETZ", NETROW_SECTION, NETOFS_GRID, ReadGridSection, NET_WRITER(WriteGridSection), 0, 0},
    {"slice 0-2", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 0, 2},
    {"ZUGD", NETROW_TRAINS, NETOFS_TRAINS, ReadEmptyTrainsSection,
     NET_WRITER(WriteEmptyTrainsSection), 0, 0},
    {"slice 2-5", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 2, 5},
    {"WEIN", NETROW_SECTION, NETOFS_SWITCHES, ReadEmptySwitchSection,
     NET_WRITER(WriteEmptySwitchSection), 0, 0},
    {"RNGP", NETROW_SECTION, NETOFS_RP, ReadEmptyRpSection, NET_WRITER(WriteEmptyRpSection), 0, 0},
    {"slice 4-7", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 4, 7},
    {"DEPO", NETROW_SECTION, NETOFS_DEPOTS, ReadEmptyDepotSection,
     NET_WRITER(WriteEmptyDepotSection), 0, 0},
    {"slice 7-9", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 7, 9},
    {"TKTP", NETROW_SECTION, NETOFS_TP, ReadEmptyTpSection, NET_WRITER(WriteEmptyTpSection), 0, 0},
    {"DWXP", NETROW_SECTION, NETOFS_DWX, ReadEmptyDwxSection, NET_WRITER(WriteEmptyDwxSection), 0,
     0},
    {"slice 8-11", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 8, 11},
    {"SIGS", NETROW_SECTION, NETOFS_SIGNALS, ReadEmptySignalSection,
     NET_WRITER(WriteEmptySignalSection), 0, 0},
    {"slice 10-14", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 10, 14},
    {"ZKTN", NETROW_SECTION, NETOFS_TEXTS, ReadEmptyTextsSection,
     NET_WRITER(WriteEmptyTextsSection), 0, 0},
    {"slice 13-16", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 13, 16},
    {"HSTP", NETROW_SECTION, NETOFS_HST, ReadEmptyHstSection, NET_WRITER(WriteEmptyHstSection), 0,
     0},
    {"slice 15-16", NETROW_PASSWORD, NETOFS_PASSWORD, nullptr, nullptr, 15, 16},
    {"LFST", NETROW_SECTION, NETOFS_LFST, ReadEmptyLfstSection, NET_WRITER(WriteEmptyLfstSection),
     0, 0},
    {"LIND", NETROW_SECTION, NETOFS_LINES, ReadEmptyLineSection, NET_WRITER(WriteEmptyLineSection),
     0, 0},
    {"ZG", NETROW_SECTION, NETOFS_GRAPHICS, ReadEmptyGraphicsSection,
     NET_WRITER(WriteEmptyGraphicsSection), 0, 0},
    {"MA", NETROW_SECTION, NETOFS_MARKER, ReadNetMarker, NET_WRITER(WriteNetMarker), 0, 0},
    {"LOGP", NETROW_SECTION, NETOFS_LOGP, ReadEmptyLogPointSection,
     NET_WRITER(WriteEmptyLogPointSection), 0, 0},
    {"PRLB", NETROW_SECTION, NETOFS_PRELL, ReadEmptyPrellSection,
     NET_WRITER(WriteEmptyPrellSection), 0, 0},
    {"INFO", NETROW_SECTION, NETOFS_INFO, ReadEmptyInfoSection, NET_WRITER(WriteEmptyInfoSection),
     0, 0},
};

// The flag, the entered copy and the stored field: a file without protection leaves no field of
// the network loaded before it behind.
static void ClearPasswordForLoad() { ResetPasswordState(1); }

// Rows not built yet (null) clear nothing; their families put their clear functions here (the
// layers above the document at start-up).
NetSectionClear NetClearOrder[NET_CLEAR_COUNT] = {
    nullptr,               // position history
    ClearPasswordForLoad,  // password flag and entered copy
    ClearSavedPositions,   // the 200 saved positions
    ClearGrid,
    nullptr,  // trains
    nullptr,  // info texts
    nullptr,  // animated cells
    nullptr,  // event display
    nullptr,  // TP
    nullptr,  // Dwx
    nullptr,  // switch control
    nullptr,  // route points
    nullptr,  // signals
    nullptr,  // text labels
    nullptr,  // stops
    nullptr,  // LFST
    nullptr,  // buffer stops
    nullptr,  // log points
    nullptr,  // vehicle-graphic data
};

// Steps after loading, in order; each family puts its function into its row.
NetPostLoadStep NetPostLoadSteps[NET_POSTLOAD_COUNT] = {
    {"ImportLegacyFileLists", 0, NETPOST_NONZERO_FAILS, NETLOAD_FILE_LISTS, nullptr},
    {"RecalcTrainTimeSteps", 0, NETPOST_IGNORE, 0, nullptr},
    {"LoadBackgroundImage", 0, NETPOST_IGNORE, 0, nullptr},
    {"LoadListedVehicleGraphics", 0, NETPOST_GRAPHICS, NETLOAD_GRAPHICS, nullptr},
    {"ConvertOldTrainRecords", 0, NETPOST_TRAINS, NETLOAD_TRAIN_CONVERT, nullptr},
    {"LoadZoom2Graphics", 0, NETPOST_IGNORE, 0, nullptr},
    {"RefreshTrainCellCodes", 0, NETPOST_IGNORE, 0, nullptr},
    {"ConvertOldLfstSymbols", 14344, NETPOST_NEGATIVE_FAILS, NETLOAD_LFST_SIGNAL_FIX, nullptr},
    {"RestoreTrainReservations", 14162, NETPOST_IGNORE, 0, nullptr},
    {"ConvertOldHstSymbols", 14344, NETPOST_NEGATIVE_FAILS, NETLOAD_HST_CONVERT, nullptr},
    {"FixSignalsAfterLoad", 14347, NETPOST_NEGATIVE_FAILS, NETLOAD_LFST_SIGNAL_FIX, nullptr},
};

NetGridCheckFn NetGridCheck = nullptr;

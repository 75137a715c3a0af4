// The generated page and picture tables (symbol_data.cpp), for the code mappings.
#pragma once
#include <cstdint>

extern const uint16_t kPageC0[3], kPageC1[80], kPageC5[38];
// Pages 0xC6..0xD7 (index page - 0xC6) and the shared table of pages 0xD8..0xDF (index 18).
extern const uint16_t* const kPageTables[19];
extern const int kPageSizes[19];
extern const uint16_t kAnimationFrames[228];
extern const uint16_t kMainPictures[352 * 4], kLfstPictures[144 * 4], kDwxPictures[16 * 4];
extern const uint16_t kDepotPictures[152], kHstPictures[17], kTpPictures[19], kRpPictures[64];
extern const uint16_t kPrellPictures[33];
extern const uint16_t kSignalKind10[24], kSignalKind4First[192], kSignalKind4Second[384];
extern const uint16_t kSignalKind1[480], kSignalKind2[480], kSignalKind3[385];
extern const uint16_t kSignalNarrow1[48], kSignalNarrow2[48];

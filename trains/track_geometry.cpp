// The track geometry table, transcribed once, and the lookups on it.
#include "trains/track_geometry.h"
#include <array>

namespace {
// Arrival columns numbered from 1 in the rows below, so that an unused entry (0) ends a row.
enum { W = 1, E, N, S, NW, SW, NE, SE };
struct GeometryWay {
  uint8_t arrival, elementClass, move;
};
struct GeometryRow {
  uint8_t shape;
  GeometryWay ways[8];
};

// Every way of every shape: arrival direction, element class, move result. Entries not listed are
// 0/0; shape 0 has none.
constexpr GeometryRow kRows[] = {
    {1, {{W, 0, 1}, {E, 0, 1}}},
    {2, {{N, 0, 1}, {S, 0, 1}}},
    {3, {{NW, 0, 1}, {SE, 0, 1}}},
    {4, {{SW, 0, 1}, {NE, 0, 1}}},
    {5, {{E, 0, 5}, {N, 0, 2}}},
    {6, {{E, 0, 4}, {S, 0, 2}}},
    {7, {{W, 0, 4}, {S, 0, 3}}},
    {8, {{W, 0, 5}, {N, 0, 3}}},
    {9, {{N, 0, 6}, {SE, 0, 5}}},
    {10, {{S, 0, 7}, {NE, 0, 4}}},
    {11, {{S, 0, 9}, {NW, 0, 4}}},
    {12, {{N, 0, 8}, {SW, 0, 5}}},
    {13, {{E, 0, 9}, {NW, 0, 2}}},
    {14, {{E, 0, 8}, {SW, 0, 2}}},
    {15, {{W, 0, 6}, {SE, 0, 3}}},
    {16, {{W, 0, 7}, {NE, 0, 3}}},
    {17, {{W, 1, 1}, {E, 1, 1}, {N, 1, 1}, {S, 1, 1}}},
    {18, {{NW, 1, 1}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 1}}},
    {19, {{N, 1, 1}, {S, 1, 1}, {NW, 1, 1}, {SE, 1, 1}}},
    {20, {{N, 1, 1}, {S, 1, 1}, {SW, 1, 1}, {NE, 1, 1}}},
    {21, {{W, 1, 1}, {E, 1, 1}, {NW, 1, 1}, {SE, 1, 1}}},
    {22, {{W, 1, 1}, {E, 1, 1}, {SW, 1, 1}, {NE, 1, 1}}},
    {23, {{N, 1, 1}, {S, 1, 1}, {NW, 1, 1}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 1}}},
    {24, {{W, 1, 1}, {E, 1, 1}, {NW, 1, 1}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 1}}},
    {25, {{W, 1, 1}, {E, 1, 1}, {N, 1, 1}, {S, 1, 1}, {NW, 1, 1}, {SE, 1, 1}}},
    {26, {{W, 1, 1}, {E, 1, 1}, {N, 1, 1}, {S, 1, 1}, {SW, 1, 1}, {NE, 1, 1}}},
    {27,
     {{W, 1, 1}, {E, 1, 1}, {N, 1, 1}, {S, 1, 1}, {NW, 1, 1}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 1}}},
    {28, {{W, 1, 1}, {E, 3, 1}, {NW, 1, 2}}},
    {29, {{W, 1, 1}, {E, 3, 1}, {SW, 1, 2}}},
    {30, {{W, 3, 1}, {E, 1, 1}, {SE, 1, 3}}},
    {31, {{W, 3, 1}, {E, 1, 1}, {NE, 1, 3}}},
    {32, {{N, 3, 1}, {S, 1, 1}, {SW, 1, 5}}},
    {33, {{N, 3, 1}, {S, 1, 1}, {SE, 1, 5}}},
    {34, {{N, 1, 1}, {S, 3, 1}, {NE, 1, 4}}},
    {35, {{N, 1, 1}, {S, 3, 1}, {NW, 1, 4}}},
    {36, {{W, 1, 7}, {SW, 1, 1}, {NE, 3, 1}}},
    {37, {{S, 1, 7}, {SW, 1, 1}, {NE, 3, 1}}},
    {38, {{E, 1, 8}, {SW, 3, 1}, {NE, 1, 1}}},
    {39, {{N, 1, 8}, {SW, 3, 1}, {NE, 1, 1}}},
    {40, {{S, 1, 9}, {NW, 3, 1}, {SE, 1, 1}}},
    {41, {{E, 1, 9}, {NW, 3, 1}, {SE, 1, 1}}},
    {42, {{N, 1, 6}, {NW, 1, 1}, {SE, 3, 1}}},
    {43, {{W, 1, 6}, {NW, 1, 1}, {SE, 3, 1}}},
    {44, {{N, 3, 1}, {SW, 1, 5}, {SE, 1, 5}}},
    {45, {{S, 3, 1}, {NW, 1, 4}, {NE, 1, 4}}},
    {46, {{W, 3, 1}, {NE, 1, 3}, {SE, 1, 3}}},
    {47, {{E, 3, 1}, {NW, 1, 2}, {SW, 1, 2}}},
    {48, {{W, 1, 6}, {N, 1, 6}, {SE, 3, 1}}},
    {49, {{E, 1, 9}, {S, 1, 9}, {NW, 3, 1}}},
    {50, {{E, 1, 8}, {N, 1, 8}, {SW, 3, 1}}},
    {51, {{W, 1, 7}, {S, 1, 7}, {NE, 3, 1}}},
    {52, {{N, 3, 1}, {S, 1, 1}, {SW, 2, 5}, {SE, 2, 5}}},
    {53, {{N, 1, 1}, {S, 3, 1}, {NW, 2, 4}, {NE, 2, 4}}},
    {54, {{W, 3, 1}, {E, 1, 1}, {NE, 2, 3}, {SE, 2, 3}}},
    {55, {{W, 1, 1}, {E, 3, 1}, {NW, 2, 2}, {SW, 2, 2}}},
    {56, {{W, 2, 6}, {N, 2, 6}, {NW, 1, 1}, {SE, 3, 1}}},
    {57, {{E, 2, 9}, {S, 2, 9}, {NW, 3, 1}, {SE, 1, 1}}},
    {58, {{E, 2, 8}, {N, 2, 8}, {SW, 3, 1}, {NE, 1, 1}}},
    {59, {{W, 2, 7}, {S, 2, 7}, {SW, 1, 1}, {NE, 3, 1}}},
    {60, {{W, 1, 1}, {E, 3, 1}, {N, 1, 2}}},
    {61, {{W, 1, 1}, {E, 3, 1}, {S, 1, 2}}},
    {62, {{W, 3, 1}, {E, 1, 1}, {S, 1, 3}}},
    {63, {{W, 3, 1}, {E, 1, 1}, {N, 1, 3}}},
    {64, {{W, 1, 5}, {N, 3, 1}, {S, 1, 1}}},
    {65, {{E, 1, 5}, {N, 3, 1}, {S, 1, 1}}},
    {66, {{E, 1, 4}, {N, 1, 1}, {S, 3, 1}}},
    {67, {{W, 1, 4}, {N, 1, 1}, {S, 3, 1}}},
    {68, {{N, 4, 1}, {S, 4, 1}, {NE, 1, 4}, {SE, 1, 5}}},
    {69, {{N, 4, 1}, {S, 4, 1}, {NW, 1, 4}, {SW, 1, 5}}},
    {70, {{W, 4, 1}, {E, 4, 1}, {NW, 1, 2}, {NE, 1, 3}}},
    {71, {{W, 4, 1}, {E, 4, 1}, {SW, 1, 2}, {SE, 1, 3}}},
    {72, {{W, 1, 6}, {S, 1, 9}, {NW, 4, 1}, {SE, 4, 1}}},
    {73, {{E, 1, 9}, {N, 1, 6}, {NW, 4, 1}, {SE, 4, 1}}},
    {74, {{W, 1, 7}, {N, 1, 8}, {SW, 4, 1}, {NE, 4, 1}}},
    {75, {{E, 1, 8}, {S, 1, 7}, {SW, 4, 1}, {NE, 4, 1}}},
    {76, {{N, 5, 1}, {S, 5, 1}}},
    {77, {{N, 5, 1}, {S, 5, 1}}},
    {78, {{W, 5, 1}, {E, 5, 1}}},
    {79, {{W, 5, 1}, {E, 5, 1}}},
    {80, {{NW, 5, 1}, {SE, 5, 1}}},
    {81, {{NW, 5, 1}, {SE, 5, 1}}},
    {82, {{SW, 5, 1}, {NE, 5, 1}}},
    {83, {{SW, 5, 1}, {NE, 5, 1}}},
    {84, {{N, 6, 1}, {S, 6, 1}}},
    {85, {{N, 6, 1}, {S, 6, 1}}},
    {86, {{W, 6, 1}, {E, 6, 1}}},
    {87, {{W, 6, 1}, {E, 6, 1}}},
    {88, {{NW, 6, 1}, {SE, 6, 1}}},
    {89, {{NW, 6, 1}, {SE, 6, 1}}},
    {90, {{SW, 6, 1}, {NE, 6, 1}}},
    {91, {{SW, 6, 1}, {NE, 6, 1}}},
    {92, {{N, 11, 0}}},
    {93, {{S, 11, 0}}},
    {94, {{W, 11, 0}}},
    {95, {{E, 11, 0}}},
    {96, {{SE, 11, 0}}},
    {97, {{NW, 11, 0}}},
    {98, {{SW, 11, 0}}},
    {99, {{NE, 11, 0}}},
    {100, {{N, 12, 1}, {S, 12, 1}}},
    {101, {{N, 12, 1}, {S, 12, 1}}},
    {102, {{W, 12, 1}, {E, 12, 1}}},
    {103, {{W, 12, 1}, {E, 12, 1}}},
    {104, {{NW, 12, 1}, {SE, 12, 1}}},
    {105, {{NW, 12, 1}, {SE, 12, 1}}},
    {106, {{SW, 12, 1}, {NE, 12, 1}}},
    {107, {{SW, 12, 1}, {NE, 12, 1}}},
    {108, {{N, 16, 1}, {S, 16, 1}}},
    {109, {{N, 16, 1}, {S, 16, 1}}},
    {110, {{W, 16, 1}, {E, 16, 1}}},
    {111, {{W, 16, 1}, {E, 16, 1}}},
    {112, {{NW, 16, 1}, {SE, 16, 1}}},
    {113, {{NW, 16, 1}, {SE, 16, 1}}},
    {114, {{SW, 16, 1}, {NE, 16, 1}}},
    {115, {{SW, 16, 1}, {NE, 16, 1}}},
    {116, {{N, 17, 1}, {S, 17, 1}}},
    {117, {{N, 17, 1}, {S, 17, 1}}},
    {118, {{W, 17, 1}, {E, 17, 1}}},
    {119, {{W, 17, 1}, {E, 17, 1}}},
    {120, {{NW, 17, 1}, {SE, 17, 1}}},
    {121, {{NW, 17, 1}, {SE, 17, 1}}},
    {122, {{SW, 17, 1}, {NE, 17, 1}}},
    {123, {{SW, 17, 1}, {NE, 17, 1}}},
    {124, {{N, 13, 1}, {S, 14, 1}}},
    {125, {{N, 14, 1}, {S, 13, 1}}},
    {126, {{W, 13, 1}, {E, 14, 1}}},
    {127, {{W, 14, 1}, {E, 13, 1}}},
    {128, {{NW, 14, 1}, {SE, 13, 1}}},
    {129, {{NW, 13, 1}, {SE, 14, 1}}},
    {130, {{SW, 13, 1}, {NE, 14, 1}}},
    {131, {{SW, 14, 1}, {NE, 13, 1}}},
    {132, {{W, 1, 1}, {E, 1, 1}, {N, 1, 6}, {SE, 1, 5}}},
    {133, {{W, 1, 1}, {E, 1, 1}, {N, 1, 8}, {SW, 1, 5}}},
    {134, {{W, 1, 1}, {E, 1, 1}, {S, 1, 9}, {NW, 1, 4}}},
    {135, {{W, 1, 1}, {E, 1, 1}, {S, 1, 7}, {NE, 1, 4}}},
    {136, {{W, 1, 7}, {N, 1, 1}, {S, 1, 1}, {NE, 1, 3}}},
    {137, {{W, 1, 6}, {N, 1, 1}, {S, 1, 1}, {SE, 1, 3}}},
    {138, {{E, 1, 8}, {N, 1, 1}, {S, 1, 1}, {SW, 1, 2}}},
    {139, {{E, 1, 9}, {N, 1, 1}, {S, 1, 1}, {NW, 1, 2}}},
    {140, {{N, 1, 8}, {NW, 1, 1}, {SW, 1, 5}, {SE, 1, 1}}},
    {141, {{E, 1, 8}, {NW, 1, 1}, {SW, 1, 2}, {SE, 1, 1}}},
    {142, {{S, 1, 7}, {NW, 1, 1}, {NE, 1, 4}, {SE, 1, 1}}},
    {143, {{W, 1, 7}, {NW, 1, 1}, {NE, 1, 3}, {SE, 1, 1}}},
    {144, {{E, 1, 9}, {NW, 1, 2}, {SW, 1, 1}, {NE, 1, 1}}},
    {145, {{S, 1, 9}, {NW, 1, 4}, {SW, 1, 1}, {NE, 1, 1}}},
    {146, {{W, 1, 6}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 3}}},
    {147, {{N, 1, 6}, {SW, 1, 1}, {NE, 1, 1}, {SE, 1, 5}}},
    {148, {{W, 8, 1}, {E, 8, 1}}},
    {149, {{N, 8, 1}, {S, 8, 1}}},
    {150, {{NW, 8, 1}, {SE, 8, 1}}},
    {151, {{SW, 8, 1}, {NE, 8, 1}}},
    {152, {{N, 4, 1}, {S, 4, 1}, {NW, 4, 1}, {SE, 4, 1}}},
    {153, {{N, 4, 1}, {S, 4, 1}, {SW, 4, 1}, {NE, 4, 1}}},
    {154, {{W, 4, 1}, {E, 4, 1}, {NW, 4, 1}, {SE, 4, 1}}},
    {155, {{W, 4, 1}, {E, 4, 1}, {SW, 4, 1}, {NE, 4, 1}}},
    {156, {{N, 4, 1}, {S, 1, 1}, {NW, 1, 1}, {SE, 4, 1}}},
    {157, {{N, 1, 1}, {S, 4, 1}, {NW, 4, 1}, {SE, 1, 1}}},
    {158, {{N, 4, 1}, {S, 1, 1}, {SW, 4, 1}, {NE, 1, 1}}},
    {159, {{N, 1, 1}, {S, 4, 1}, {SW, 1, 1}, {NE, 4, 1}}},
    {160, {{W, 1, 1}, {E, 4, 1}, {NW, 4, 1}, {SE, 1, 1}}},
    {161, {{W, 4, 1}, {E, 1, 1}, {NW, 1, 1}, {SE, 4, 1}}},
    {162, {{W, 4, 1}, {E, 1, 1}, {SW, 1, 1}, {NE, 4, 1}}},
    {163, {{W, 1, 1}, {E, 4, 1}, {SW, 4, 1}, {NE, 1, 1}}},
    {164, {{N, 3, 6}, {S, 2, 1}, {SW, 2, 5}, {SE, 1, 5}}},
    {165, {{N, 2, 1}, {S, 3, 9}, {NW, 1, 4}, {NE, 2, 4}}},
    {166, {{W, 3, 7}, {E, 2, 1}, {NE, 1, 3}, {SE, 2, 3}}},
    {167, {{W, 2, 1}, {E, 3, 8}, {NW, 2, 2}, {SW, 1, 2}}},
    {168, {{W, 1, 6}, {N, 2, 6}, {NW, 2, 1}, {SE, 3, 3}}},
    {169, {{E, 1, 9}, {S, 2, 9}, {NW, 3, 2}, {SE, 2, 1}}},
    {170, {{E, 2, 8}, {N, 1, 8}, {SW, 3, 5}, {NE, 2, 1}}},
    {171, {{W, 2, 7}, {S, 1, 7}, {SW, 2, 1}, {NE, 3, 4}}},
    {172, {{N, 3, 8}, {S, 2, 1}, {SW, 1, 5}, {SE, 2, 5}}},
    {173, {{N, 2, 1}, {S, 3, 7}, {NW, 2, 4}, {NE, 1, 4}}},
    {174, {{W, 3, 6}, {E, 2, 1}, {NE, 2, 3}, {SE, 1, 3}}},
    {175, {{W, 2, 1}, {E, 3, 9}, {NW, 1, 2}, {SW, 2, 2}}},
    {176, {{W, 2, 6}, {N, 1, 6}, {NW, 2, 1}, {SE, 3, 5}}},
    {177, {{E, 2, 9}, {S, 1, 9}, {NW, 3, 4}, {SE, 2, 1}}},
    {178, {{E, 1, 8}, {N, 2, 8}, {SW, 3, 2}, {NE, 2, 1}}},
    {179, {{W, 1, 7}, {S, 2, 7}, {SW, 2, 1}, {NE, 3, 3}}},
    {180, {{N, 9, 1}, {S, 9, 1}}},
    {181, {{N, 9, 1}, {S, 9, 1}}},
    {182, {{W, 9, 1}, {E, 9, 1}}},
    {183, {{W, 9, 1}, {E, 9, 1}}},
    {184, {{NW, 9, 1}, {SE, 9, 1}}},
    {185, {{NW, 9, 1}, {SE, 9, 1}}},
    {186, {{SW, 9, 1}, {NE, 9, 1}}},
    {187, {{SW, 9, 1}, {NE, 9, 1}}},
    {188, {{N, 7, 1}, {S, 9, 1}}},
    {189, {{N, 9, 1}, {S, 7, 1}}},
    {190, {{W, 7, 1}, {E, 9, 1}}},
    {191, {{W, 9, 1}, {E, 7, 1}}},
    {192, {{NW, 9, 1}, {SE, 7, 1}}},
    {193, {{NW, 7, 1}, {SE, 9, 1}}},
    {194, {{SW, 7, 1}, {NE, 9, 1}}},
    {195, {{SW, 9, 1}, {NE, 7, 1}}},
    {196, {{N, 18, 1}, {S, 9, 1}}},
    {197, {{N, 9, 1}, {S, 18, 1}}},
    {198, {{W, 18, 1}, {E, 9, 1}}},
    {199, {{W, 9, 1}, {E, 18, 1}}},
    {200, {{NW, 9, 1}, {SE, 18, 1}}},
    {201, {{NW, 18, 1}, {SE, 9, 1}}},
    {202, {{SW, 18, 1}, {NE, 9, 1}}},
    {203, {{SW, 9, 1}, {NE, 18, 1}}},
    {204, {{N, 19, 1}, {S, 0, 1}}},
    {205, {{N, 0, 1}, {S, 19, 1}}},
    {206, {{W, 19, 1}, {E, 0, 1}}},
    {207, {{W, 0, 1}, {E, 19, 1}}},
    {208, {{NW, 0, 1}, {SE, 19, 1}}},
    {209, {{NW, 19, 1}, {SE, 0, 1}}},
    {210, {{SW, 19, 1}, {NE, 0, 1}}},
    {211, {{SW, 0, 1}, {NE, 19, 1}}},
    {212, {{N, 20, 1}, {S, 0, 1}}},
    {213, {{N, 0, 1}, {S, 20, 1}}},
    {214, {{W, 20, 1}, {E, 0, 1}}},
    {215, {{W, 0, 1}, {E, 20, 1}}},
    {216, {{NW, 0, 1}, {SE, 20, 1}}},
    {217, {{NW, 20, 1}, {SE, 0, 1}}},
    {218, {{SW, 20, 1}, {NE, 0, 1}}},
    {219, {{SW, 0, 1}, {NE, 20, 1}}},
    {220, {{N, 21, 1}, {S, 9, 1}}},
    {221, {{N, 9, 1}, {S, 21, 1}}},
    {222, {{W, 21, 1}, {E, 9, 1}}},
    {223, {{W, 9, 1}, {E, 21, 1}}},
    {224, {{NW, 9, 1}, {SE, 21, 1}}},
    {225, {{NW, 21, 1}, {SE, 9, 1}}},
    {226, {{SW, 21, 1}, {NE, 9, 1}}},
    {227, {{SW, 9, 1}, {NE, 21, 1}}},
    {228, {{N, 15, 1}}},
    {229, {{S, 15, 1}}},
    {230, {{W, 15, 1}}},
    {231, {{E, 15, 1}}},
    {232, {{SE, 15, 1}}},
    {233, {{NW, 15, 1}}},
    {234, {{SW, 15, 1}}},
    {235, {{NE, 15, 1}}},
    {236, {{E, 1, 8}, {N, 1, 6}, {SW, 1, 2}, {SE, 1, 5}}},
    {237, {{W, 1, 6}, {N, 1, 8}, {SW, 1, 5}, {SE, 1, 3}}},
    {238, {{W, 1, 7}, {S, 1, 9}, {NW, 1, 4}, {NE, 1, 3}}},
    {239, {{E, 1, 9}, {S, 1, 7}, {NW, 1, 2}, {NE, 1, 4}}},
    {240, {{W, 1, 7}, {N, 1, 6}, {NE, 1, 3}, {SE, 1, 5}}},
    {241, {{W, 1, 6}, {S, 1, 7}, {NE, 1, 4}, {SE, 1, 3}}},
    {242, {{E, 1, 8}, {S, 1, 9}, {NW, 1, 4}, {SW, 1, 2}}},
    {243, {{E, 1, 9}, {N, 1, 8}, {NW, 1, 2}, {SW, 1, 5}}},
    {244, {{N, 1, 6}, {S, 1, 7}, {NE, 1, 4}, {SE, 1, 5}}},
    {245, {{N, 1, 8}, {S, 1, 9}, {NW, 1, 4}, {SW, 1, 5}}},
    {246, {{W, 1, 7}, {E, 1, 9}, {NW, 1, 2}, {NE, 1, 3}}},
    {247, {{W, 1, 6}, {E, 1, 8}, {SW, 1, 2}, {SE, 1, 3}}},
    {248, {{W, 1, 6}, {S, 1, 9}, {NW, 1, 4}, {SE, 1, 3}}},
    {249, {{E, 1, 9}, {N, 1, 6}, {NW, 1, 2}, {SE, 1, 5}}},
    {250, {{W, 1, 7}, {N, 1, 8}, {SW, 1, 5}, {NE, 1, 3}}},
    {251, {{E, 1, 8}, {S, 1, 7}, {SW, 1, 2}, {NE, 1, 4}}},
};

constexpr std::array<std::array<uint16_t, 8>, TRACK_SHAPES> BuildGeometry() {
  std::array<std::array<uint16_t, 8>, TRACK_SHAPES> table{};
  for (const GeometryRow& row : kRows)
    for (const GeometryWay& way : row.ways)
      if (way.arrival)
        table[row.shape][way.arrival - 1] = (uint16_t)(way.elementClass << 8 | way.move);
  return table;
}
constexpr auto kGeometry = BuildGeometry();
}  // namespace

uint16_t TrackGeometryEntry(int shape, int arrival) {
  if (shape < 0 || shape >= TRACK_SHAPES || arrival < 0 || arrival > 7) return 0;
  return kGeometry[shape][arrival];
}

int TrackShapeOfCode(uint32_t code) {
  if (code >= 0x8000) return 0;
  int s = (int)(code & 0x1FF);
  if (s <= 3) return s + 1;
  if (s <= 11) return s - 3;
  if (s <= 23) return s + 140;
  if (s <= 33) return s - 15;
  if (s <= 95) return s - 20;
  if (s < 136) return 0;
  if (s <= 151) return 148 + (s & 3);
  if (s <= 159) return s - 68;
  if (s <= 167) {
    static const uint8_t kDepotShapes[8] = {2, 2, 1, 1, 3, 3, 4, 4};
    return kDepotShapes[s - 160];
  }
  if (s <= 183) return s - 76;
  if (s <= 191) return s + 44;
  if (s <= 207) return s - 84;
  if (s <= 215) return 124;
  if (s <= 223) return s - 92;
  if (s <= 231) return s - 100;
  if (s <= 239) return s - 108;
  if (s <= 247) return s - 116;
  if (s <= 255) return s - 124;
  if (s <= 263) return s == 256 ? 1 : s == 258 ? 3 : s == 259 ? 4 : 2;
  if (s <= 271) return s - 188;
  if (s <= 287) return s - 140;
  if (s <= 303) return s - 52;
  if (s < 392) return 0;
  if (s <= 407) return s - 212;
  if (s <= 415) return s - 188;
  if (s <= 439) return s - 220;
  if (s <= 455) return s - 252;
  if (s <= 471) return s - 268;
  if (s <= 487) return s - 308;
  if (s <= 495) return s - 436;
  if (s <= 503) return s - 487;
  return s - 495;
}

int TrackArrivalOf(int dx, int dy) {
  static const int8_t kColumns[3][3] = {
      // dy -1, 0, 1 for dx = -1, 0, 1
      {ARRIVE_NW, ARRIVE_W, ARRIVE_SW},
      {ARRIVE_N, ARRIVE_S, ARRIVE_S},
      {ARRIVE_NE, ARRIVE_E, ARRIVE_SE},
  };
  if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return -1;
  return kColumns[dx + 1][dy + 1];
}

// Steps of the moves 2..9.
static const int8_t kMoveDx[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
static const int8_t kMoveDy[8] = {0, 0, -1, 1, -1, 1, -1, 1};

int MoveResultDx(int move) { return move >= 2 && move <= 9 ? kMoveDx[move - 2] : 0; }
int MoveResultDy(int move) { return move >= 2 && move <= 9 ? kMoveDy[move - 2] : 0; }

int MoveResultToward(int dx, int dy) {
  for (int i = 0; i < 8; i++)
    if (kMoveDx[i] == dx && kMoveDy[i] == dy) return i + 2;
  return 0;
}

int TrackClass(uint32_t code, uint32_t wayKinds) {
  if (code >= 0x8000) return 0;
  uint32_t c = code & ~0x4000u;
  if (wayKinds & WAYKIND_SECOND) return c >= 0x1C00 && c <= 0x1FFF ? 1 : 0;
  if (wayKinds & WAYKIND_FIRST) {
    if (c > 0x17FF) return 0;
    int s = (int)(c & 0x1FF);
    return s >= 472 && s <= 495 ? 2 : 1;
  }
  if (wayKinds & WAYKIND_THIRD) {
    if (c >= 0x2000 && c < 0x3200) return 3;
    return c > 0xFFF ? 0 : 4;
  }
  return 0;
}

int NextCellClass(int dx, int dy, uint32_t code, int* elementClass, uint32_t wayKinds) {
  uint16_t entry = TrackGeometryEntry(TrackShapeOfCode(code), TrackArrivalOf(dx, dy));
  int cls = entry >> 8, move = entry & 0xFF;
  switch (TrackClass(code, wayKinds)) {
    case 1: break;
    case 2:
      if (cls == ELEM_SWITCH_CONTROL) {
        cls = ELEM_PLAIN;
      } else if (cls == ELEM_SWITCH_RESERVE) {
        cls = ELEM_PLAIN;
        move = MOVE_BLOCKED;
      }
      break;
    case 3:
      if (move == MOVE_BLOCKED && cls != ELEM_SIGNAL_CONDITION && cls != ELEM_BUFFER_STOP)
        cls = ELEM_FREE_PATH, move = MOVE_STRAIGHT;
      break;
    case 4:
      if (move == MOVE_BLOCKED && cls != ELEM_SIGNAL_CONDITION)
        cls = ELEM_FREE_PATH, move = MOVE_STRAIGHT;
      break;
    default: cls = ELEM_PLAIN, move = MOVE_BLOCKED;
  }
  if (elementClass) *elementClass = cls;
  return move;
}

int SwitchDecisionToMove(uint32_t decision) {
  if (decision & 0x10000) return SWITCH_MOVE_WAIT;
  // Exit bits W, E, N, S, NW, SW, NE, SE in the order of the moves 2..9.
  static const uint8_t kExitBits[8] = {4, 8, 1, 2, 32, 64, 128, 16};
  for (int i = 0; i < 8; i++)
    if (decision & kExitBits[i]) return i + 2;
  return MOVE_BLOCKED;
}

// Train drawing support: the vehicle pieces of train cells (straight, diagonal, bends, head
// offsets, the tail entry, backward, marked and zero-length vehicles, the limit of 8 pieces),
// the labels at the head, the redraw of a train, the selection when trains are freed, block
// scaling, and the follow mode moving its window.
#include <gtest/gtest.h>
#include <vector>
#include "app/editwnd.h"
#include "graphics/colours.h"
#include "graphics/vehicle_cell.h"
#include "graphics/vehicles.h"
#include "model/grid.h"
#include "trains/train_draw.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_draw.h"
#include "views/view_services.h"

namespace {
struct Cell {
  int x, y, level;
};
struct Vehicle {
  uint32_t id, length, flags;
};
struct Piece {
  uint32_t id;
  int first, last, x;
  uint16_t word;
  bool operator==(const Piece& o) const {
    return id == o.id && first == o.first && last == o.last && x == o.x && word == o.word;
  }
};
void PrintTo(const Piece& p, std::ostream* os) {
  *os << "{" << std::hex << p.id << std::dec << " " << p.first << ".." << p.last << " at " << p.x
      << " word " << std::hex << p.word << "}";
}

constexpr uint16_t N = 1, S = 2, W = 4, E = 8, SE = 16, NW = 32, SW = 64, NE = 128;

struct DrawFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(InitGrid(), 0);
    ClearGrid();
    ResetTrains();
    OverlayTrainLabelBits = 0;
    CycleDisplayMode = 0;
    TrainDrawSuppressed = 0;
  }
  void TearDown() override {
    ResetTrains();
    OverlayTrainLabelBits = 0;
    TrainDrawSuppressed = 0;
    ClearGrid();  // the grid stays for the tests after these
  }
  // A train on the cells (head first; with tailUsed the last cell is the used tail entry),
  // travelling (dx, dy) with the head offset, its code in the grid.
  TrainRecord* Place(std::vector<Cell> cells, int dx, int dy, int offset,
                     std::vector<Vehicle> vehicles, uint32_t flags = 0, uint32_t sub = 1,
                     bool tailUsed = false) {
    int count = (int)cells.size() - (tailUsed ? 1 : 0);
    TrainRecord* t = AllocTrainRecord(count, (int)vehicles.size());
    t->line = 1;
    t->subNumber = sub;
    t->flags = flags;
    t->dx = dx, t->dy = dy;
    t->subCellOffset = offset;
    TrainPosition* p = TrainPositions(t);
    for (size_t i = 0; i < cells.size(); i++) {
      p[i].x = (uint32_t)cells[i].x, p[i].y = (uint32_t)cells[i].y, p[i].level = cells[i].level;
      p[i].codeUnder = 0x0101;
    }
    TrainVehicleEntry* v = TrainVehicles(t);
    for (size_t i = 0; i < vehicles.size(); i++)
      v[i].id = vehicles[i].id, v[i].length = vehicles[i].length, v[i].flags = vehicles[i].flags;
    EXPECT_EQ(InsertTrain(t), 0);
    for (size_t i = 0; i < cells.size(); i++)
      SetCell(cells[i].x, cells[i].y, cells[i].level, t->cellCode);
    return t;
  }
  static std::vector<Piece> Pieces(int x, int y, int level = 0, uint16_t* under = nullptr) {
    uint32_t ids[TRAIN_CELL_PIECES + 1];
    VehicleSpan spans[TRAIN_CELL_PIECES];
    uint16_t words[TRAIN_CELL_PIECES];
    for (auto& id : ids) id = 0xDEAD;
    int first = -1;
    uint16_t code = GetTrainCellShape(x, y, level, &first, ids, spans, words,
                                      (uint16_t)GetCell(x, y, level));
    if (under) *under = code;
    std::vector<Piece> r;
    int n = 0;
    while (n <= TRAIN_CELL_PIECES && ids[n] != 0) {
      EXPECT_LT(n, TRAIN_CELL_PIECES) << "the list is not ended within 8 pieces";
      if (n >= TRAIN_CELL_PIECES) break;
      r.push_back({ids[n], spans[n].first, spans[n].last, spans[n].x, words[n]});
      n++;
    }
    return r;
  }
};
}  // namespace

// Each case: a train, the cell asked, the pieces expected there.
TEST_F(DrawFixture, CellPiecesTable) {
  struct Case {
    const char* name;
    std::vector<Cell> cells;
    int dx, dy, offset;
    std::vector<Vehicle> vehicles;
    Cell ask;
    std::vector<Piece> expect;
  };
  const Vehicle a40 = {0x110, 40, 0}, b40 = {0x120, 40, 0};
  const std::vector<Cell> east = {{102, 50, 0}, {101, 50, 0}, {100, 50, 0}};
  const std::vector<Case> cases = {
      {"straight head", east, 1, 0, 0, {a40, b40}, {102, 50, 0}, {{0x110, 0, 31, 0, E}}},
      {"straight middle: the coupling at unit 8",
       east, 1, 0, 0, {a40, b40}, {101, 50, 0},
       {{0x110, 32, 39, 0, E}, {0x120, 0, 23, 8, E}}},
      {"straight last cell", east, 1, 0, 0, {a40, b40}, {100, 50, 0}, {{0x120, 24, 39, 0, E}}},
      {"offset 8", east, 1, 0, 8, {a40, b40}, {102, 50, 0}, {{0x110, 0, 23, 8, E}}},
      {"offset 16 moves the coupling", east, 1, 0, 16, {a40, b40}, {101, 50, 0},
       {{0x110, 16, 39, 0, E}, {0x120, 0, 7, 24, E}}},
      {"offset 24", east, 1, 0, 24, {a40, b40}, {102, 50, 0}, {{0x110, 0, 7, 24, E}}},
      {"offset 24, last cell", east, 1, 0, 24, {a40, b40}, {100, 50, 0}, {{0x120, 0, 31, 0, E}}},
      {"westwards", {{100, 50, 0}, {101, 50, 0}}, -1, 0, 0, {a40}, {101, 50, 0},
       {{0x110, 32, 39, 0, W}}},
      {"diagonal north-east", {{10, 10, 0}, {9, 11, 0}, {8, 12, 0}}, 1, -1, 4, {a40}, {9, 11, 0},
       {{0x110, 28, 39, 0, NE}}},
      {"diagonal south-west", {{8, 12, 0}, {9, 11, 0}}, -1, 1, 0, {a40}, {8, 12, 0},
       {{0x110, 0, 31, 0, SW}}},
      {"vertical south", {{5, 6, 0}, {5, 5, 0}}, 0, 1, 0, {a40}, {5, 5, 0},
       {{0x110, 32, 39, 0, S}}},
      {"45-degree bend at the head: cut at unit 16", {{11, 10, 0}, {10, 10, 0}}, 1, -1, 0, {a40},
       {11, 10, 0}, {{0x110, 0, 15, 0, NE}, {0x110, 16, 31, 16, E}}},
      {"45-degree bend in a middle cell", {{12, 9, 0}, {11, 10, 0}, {10, 10, 0}}, 1, -1, 0,
       {{0x110, 64, 0}}, {11, 10, 0}, {{0x110, 32, 47, 0, NE}, {0x110, 48, 63, 16, E}}},
      {"bend of a piece that ends before the middle is not cut", {{12, 9, 0}, {11, 10, 0}, {10, 10, 0}},
       1, -1, 24, {{0x110, 16, 0}, {0x120, 6, 0}}, {11, 10, 0},
       {{0x110, 8, 15, 0, NE}, {0x120, 0, 5, 8, NE}}},
      {"a right-angle turn happens at the front edge", {{10, 10, 0}, {10, 11, 0}}, 1, 0, 0, {a40},
       {10, 10, 0}, {{0x110, 0, 31, 0, N}}},
      {"the tail cell runs in the direction out of it", {{20, 5, 0}, {19, 6, 0}}, 1, -1, 0, {a40},
       {19, 6, 0}, {{0x110, 32, 39, 0, NE}}},
      {"backward vehicle", east, 1, 0, 0, {{0x130, 40, 0x8000}}, {102, 50, 0},
       {{0x130, 0, 31, 0, (uint16_t)(E | 0x8000)}}},
      {"marked vehicle: its length with bit 30", east, 1, 0, 0, {{0x130, 40, 0x80}}, {102, 50, 0},
       {{0x40000028, 0, 31, 0, E}}},
      {"zero-length vehicles take no room", east, 1, 0, 0, {{0x140, 0, 0}, a40, {0x150, 0, 0}, b40},
       {101, 50, 0}, {{0x110, 32, 39, 0, E}, {0x120, 0, 23, 8, E}}},
      {"cell behind the train's length", east, 1, 0, 0, {{0x110, 20, 0}}, {101, 50, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetTrains();
    ClearGrid();
    Place(c.cells, c.dx, c.dy, c.offset, c.vehicles);
    uint16_t under = 0;
    EXPECT_EQ(Pieces(c.ask.x, c.ask.y, c.ask.level, &under), c.expect);
    EXPECT_EQ(under, 0x0101);
  }
}

TEST_F(DrawFixture, TailEntryAndTheLimitOfEightPieces) {
  // the tail entry (the cell being left) is a cell of the train like any other
  Place({{102, 50, 0}, {101, 50, 0}, {100, 50, 0}}, 1, 0, 0, {{0x110, 80, 0}}, 0, 1, true);
  EXPECT_EQ(Pieces(100, 50), (std::vector<Piece>{{0x110, 64, 79, 0, E}}));
  // twelve vehicles of 3 units in one cell: only the first 8 pieces, the list ended
  ResetTrains();
  std::vector<Vehicle> small;
  for (uint32_t i = 0; i < 12; i++) small.push_back({0x200 + 16 * i, 3, 0});
  Place({{30, 30, 0}, {29, 30, 0}}, 1, 0, 0, small);
  std::vector<Piece> got = Pieces(30, 30);
  ASSERT_EQ(got.size(), 8u);
  EXPECT_EQ(got[7], (Piece{0x200 + 16 * 7, 0, 2, 21, E}));
  // a bend doubles the pieces of a vehicle: still at most 8
  ResetTrains();
  Place({{41, 29, 0}, {40, 30, 0}, {39, 30, 0}}, 1, -1, 0, std::vector<Vehicle>(20, {0x300, 5, 0}));
  EXPECT_EQ(Pieces(40, 30).size(), 8u);
}

TEST_F(DrawFixture, HandSteeredOutValueAndTrainOnCell) {
  Place({{10, 10, 0}, {9, 10, 0}}, 1, 0, 0, {{0x110, 40, 0}}, 0, 1);
  Place({{10, 20, 0}, {9, 20, 0}}, 1, 0, 0, {{0x110, 40, 0}}, TRAIN_MANUAL, 2);
  int first = -1;
  EXPECT_EQ(GetTrainCellShape(10, 10, 0, &first, nullptr, nullptr, nullptr, GetCell(10, 10, 0)),
            0x0101);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(GetTrainCellShape(9, 20, 0, &first, nullptr, nullptr, nullptr, GetCell(9, 20, 0)),
            0x0101);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(IsTrainOnCell(10, 10, 0, (uint16_t)GetCell(10, 10, 0)), 2);
  EXPECT_EQ(IsTrainOnCell(9, 20, 0, (uint16_t)GetCell(9, 20, 0)), 1);
  EXPECT_EQ(IsTrainOnCell(11, 10, 0, 0xBF00), 0);
  uint32_t ids[TRAIN_CELL_PIECES + 1] = {7};
  EXPECT_EQ(GetTrainCellShape(11, 10, 0, nullptr, ids, nullptr, nullptr, 0xBF00), 0xC000);
  EXPECT_EQ(ids[0], 0u);
}

TEST_F(DrawFixture, LabelsTextsColoursAndOffsets) {
  struct Case {
    uint32_t options, flags;
    int dx, dy, offset;
    const char16_t* text;
    uint8_t textColour, boxColour;
    int xOffset, yOffset;
  };
  const Case cases[] = {
      {2, 0, 1, 0, 4, u"7.", 108, 109, 20, 0},
      {1, 0, -1, 0, 6, u"*", 108, 109, 6, 0},
      {3, 0, 0, -1, 10, u"*/7.", 108, 109, 16, 5},
      {3, TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED, 1, 1, 8, u"*/7.", 156, 157, 16, -4},
      {2, TRAIN_LEAVING1, 0, 1, 0, u"7.", 129, 130, 16, 0},
      {2, TRAIN_PENDING | TRAIN_PENDING_FLAGGED, -1, -1, 2, u"7.", 154, 155, 2, 1},
      {2, TRAIN_PENDING, 1, 0, 0, u"7.", 127, 128, 24, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "options " << c.options << " flags " << c.flags);
    ResetTrains();
    OverlayTrainLabelBits = c.options;
    Place({{50, 50, 0}, {50 - c.dx, 50 - c.dy, 0}}, c.dx, c.dy, c.offset, {{0x110, 40, 0}},
          c.flags, 7);
    AnnotationRecord a = {};
    ASSERT_NE(GetTrainLabel(50, 50, 0, &a), nullptr);
    EXPECT_EQ(std::u16string(a.text), std::u16string(c.text));
    EXPECT_EQ(a.textColour, c.textColour);
    EXPECT_EQ(a.boxColour, c.boxColour);
    EXPECT_EQ(a.xOffset, c.xOffset);
    EXPECT_EQ(a.yOffset, c.yOffset);
    // only the head cell carries the label
    EXPECT_EQ(GetTrainLabel(50 - c.dx, 50 - c.dy, 0, &a), nullptr);
  }
  // the cycle display mode turns labels on too; labels off, no train: none
  ResetTrains();
  OverlayTrainLabelBits = 0;
  Place({{60, 60, 0}, {59, 60, 0}}, 1, 0, 0, {{0x110, 40, 0}}, 0, 4294967295u);
  AnnotationRecord a = {};
  EXPECT_EQ(GetTrainLabel(60, 60, 0, &a), nullptr);
  CycleDisplayMode = 2;
  ASSERT_NE(GetTrainLabel(60, 60, 0, &a), nullptr);
  EXPECT_EQ(std::u16string(a.text), u"4294967295.");
  CycleDisplayMode = 0;
  OverlayTrainLabelBits = 3;
  EXPECT_EQ(GetTrainLabel(61, 60, 0, &a), nullptr);
}

TEST_F(DrawFixture, RedrawQueuesTheUsedCellsAndSelectionFollowsTheCells) {
  TrainRecord* t = Place({{102, 50, 0}, {101, 50, 0}, {100, 50, 0}}, 1, 0, 0, {{0x110, 80, 0}},
                         0, 1, true);
  EXPECT_EQ(RedrawTrain(t, 1), 3);
  TrainPositions(t)[2].codeUnder = 65535;   // the tail entry unused
  EXPECT_EQ(RedrawTrain(t, 1), 2);
  TrainDrawSuppressed = 1;
  EXPECT_EQ(RedrawTrain(t, 1), 0);
  TrainDrawSuppressed = 0;
  EXPECT_EQ(IsSelectedTrainCell(101, 50, 0), 0);
  SetSelectedTrain(t, 2, 0);
  EXPECT_EQ(GetSelectedTrainMark(), 2);
  EXPECT_TRUE(t->flags & TRAIN_SELECTED);
  EXPECT_EQ(IsSelectedTrainCell(101, 50, 0), 1);
  EXPECT_EQ(IsSelectedTrainCell(100, 50, 0), 0);  // the unused tail entry
  SetSelectedTrainMark(1);
  EXPECT_TRUE(t->flags & TRAIN_HEAD_MARK);
  EXPECT_FALSE(t->flags & TRAIN_SELECTED);
  uint32_t flags = 0;
  int sub = 0, line = 0;
  EXPECT_EQ(GetTrainAtCell(102, 50, 0, &flags, &sub, &line, (uint16_t)GetCell(102, 50, 0)), 0);
  EXPECT_EQ(sub, 1);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(GetTrainAtCell(103, 50, 0, &flags, &sub, &line, 0xBF00), 1);
}

// No freed train stays selected: the reset and every freeing of a record clear the selection.
TEST_F(DrawFixture, FreedTrainsDoNotStaySelected) {
  ResetEditWindows();
  GetEditSlot(0)->window = (void*)1;  // the followed window is open
  TrainRecord* a = Place({{10, 10, 0}, {9, 10, 0}}, 1, 0, 0, {{0x110, 40, 0}}, 0, 1);
  TrainRecord* b = Place({{10, 20, 0}, {9, 20, 0}}, 1, 0, 0, {{0x110, 40, 0}}, 0, 2);
  ASSERT_EQ(SelectAndFollowTrain(1, 2, 1, 0, 0), 0);
  EXPECT_EQ(GetSelectedTrain(), b);
  EXPECT_EQ(GetFollowMode(), 1);
  RemoveTrain(a);
  FreeTrainRecord(a);  // another train: the selection stays
  EXPECT_EQ(GetSelectedTrain(), b);
  RemoveTrain(b);
  FreeTrainRecord(b);
  EXPECT_EQ(GetSelectedTrain(), nullptr);
  EXPECT_EQ(GetSelectedTrainMark(), 0);
  EXPECT_EQ(GetFollowMode(), 0);
  RequestFollowUpdate();  // nothing selected: no request
  EXPECT_EQ(IsFollowUpdateRequested(), 0);
  Place({{10, 30, 0}, {9, 30, 0}}, 1, 0, 0, {{0x110, 40, 0}}, 0, 3);
  ASSERT_EQ(SelectAndFollowTrain(1, 3, 0, 0, 0), 0);
  EXPECT_EQ(GetSelectedTrainMark(), 1);
  ResetTrains();
  EXPECT_EQ(GetSelectedTrain(), nullptr);
  EXPECT_EQ(IsSelectedTrainCell(10, 30, 0), 0);
  EXPECT_EQ(SelectAndFollowTrain(1, 3, 0, 0, 0), 1);
  ResetEditWindows();
}

TEST_F(DrawFixture, ScalingKeepsTheTrainsCellsAroundItsFarCorner) {
  Place({{10, 10, 0}, {9, 10, 0}, {8, 10, 0}}, 1, 0, 0, {{0x110, 80, 0}});
  int x = 0, y = 0;
  // by 2 about (0, 0): the far corner (10, 10) goes to (20, 20), the cells keep their places
  EXPECT_EQ(ScaleBlockPosition(0, 0, 10, 10, 0, 2, 1, 2, 1, &x, &y), 1);
  EXPECT_EQ(x, 20);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(ScaleBlockPosition(0, 0, 8, 10, 0, 2, 1, 2, 1, &x, &y), 1);
  EXPECT_EQ(x, 18);
  EXPECT_EQ(y, 20);
  // a cell without a train is scaled itself; by 1/3 about (3, 6)
  EXPECT_EQ(ScaleBlockPosition(0, 0, 7, 10, 0, 2, 1, 2, 1, &x, &y), 0);
  EXPECT_EQ(x, 14);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(ScaleBlockPosition(3, 6, 12, 15, 0, 1, 3, 1, 3, &x, &y), 0);
  EXPECT_EQ(x, 6);
  EXPECT_EQ(y, 9);
}

namespace {
struct FollowFixture : DrawFixture {
  EditViewSlot* s = nullptr;
  uint8_t history[EDIT_HISTORY_BYTES];
  TrainRecord* t = nullptr;
  void SetUp() override {
    DrawFixture::SetUp();
    ResetEditWindows();
    s = GetEditSlot(1);
    s->window = (void*)1;
    s->lockA = s->lockB = nullptr;
    s->drawBuffer = nullptr;
    s->history = history;
    s->historyTop = s->historyFill = 0;
    s->viewMode = VIEW_SYMBOLS;
    s->zoom = 1;
    s->cellsWide = 40;
    s->cellsHigh = 30;
    s->pixelWidth = 40 * 32;
    s->pixelHeight = 30 * 16;
    View(1000, 2000);
    SetFollowOptions(0);
  }
  void TearDown() override {
    s->history = nullptr;
    ResetEditWindows();
    SetFollowOptions(0);
    DrawFixture::TearDown();
  }
  void View(int ox, int oy, int level = 0) {
    s->originX = ox, s->originY = oy;
    s->farX = ox + s->cellsWide, s->farY = oy + s->cellsHigh;
    s->fineX = s->fineY = 0;
    s->cursorLevel = level;
  }
  void Follow(int x, int y, int level = 0) {
    ResetTrains();
    t = Place({{x, y, level}, {x - 1, y, level}}, 1, 0, 0, {{0x110, 40, 0}});
    ASSERT_EQ(SelectAndFollowTrain(1, 1, 1, 1, 0), 0);
    ASSERT_EQ(IsFollowUpdateRequested(), 1);
  }
};
}  // namespace

TEST_F(FollowFixture, JumpsCentreAndStayWhileInside) {
  Follow(1100, 2100);  // outside the view: centred
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 1080);
  EXPECT_EQ(s->originY, 2085);
  EXPECT_EQ(s->farX, 1120);
  EXPECT_EQ(s->cursorX, 1100);
  EXPECT_EQ(IsFollowUpdateRequested(), 0);
  EXPECT_EQ(FollowSelectedTrain(), 0);  // no new request
  TrainPositions(t)[0].x = 1110;  // moved within the view: no jump without smooth scrolling
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EXPECT_EQ(s->originX, 1080);
  TrainPositions(t)[0].x = 1125;  // the head moved out of the view: seen without a request
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 1105);
  // near the grid's edge the view stops at the edge
  Follow(5, 32760);
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 0);
  EXPECT_EQ(s->originY, GRID_CELLS - 30);
}

TEST_F(FollowFixture, ClosedWindowOrPausedFollowingIsNotTouched) {
  Follow(1100, 2100);
  s->window = nullptr;  // the followed window was closed
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EXPECT_EQ(s->originX, 1000);
  EXPECT_EQ(s->cursorLevel, 0);
  EXPECT_EQ(IsFollowUpdateRequested(), 1);
  EditViews.followed = -1;
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EditViews.followed = 1;
  s->window = (void*)1;
  SetFollowMode(2);  // paused
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EXPECT_EQ(s->originX, 1000);
  SetFollowMode(1);
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 1080);
}

// Onto another level the window is brought to the head as every jump to a position is: the view
// stays while the head lies clear of its margins and re-centres near an edge; the position it
// left is recorded once.
TEST_F(FollowFixture, OtherLevelSwitchesUnlessKeepLevel) {
  s->cursorX = 1001, s->cursorY = 2001;
  Follow(1010, 2010, -2);  // inside the view's range, on another level
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->cursorLevel, -2);
  EXPECT_EQ(s->cursorX, 1010);
  EXPECT_EQ(s->cursorY, 2010);
  EXPECT_EQ(s->originX, 1000);
  EXPECT_EQ(s->originY, 2000);
  ASSERT_EQ(s->historyFill, 1);
  const int32_t* e = (const int32_t*)history;
  EXPECT_EQ(e[0], 1001);
  EXPECT_EQ(e[2], 0);
  Follow(1038, 2010, -3);  // in the right margin: centred
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->cursorLevel, -3);
  EXPECT_EQ(s->originX, 1019);
  EXPECT_EQ(s->originY, 2000);
  EXPECT_EQ(s->historyFill, 2);
  View(1000, 2000, 0);
  SetFollowOptions(FOLLOW_KEEP_LEVEL);
  View(1000, 2000, 0);
  Follow(1010, 2010, -2);
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EXPECT_EQ(s->cursorLevel, 0);
  EXPECT_EQ(s->originX, 1000);
  Follow(1300, 2010, -2);  // outside: centred at the window's own level
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->cursorLevel, 0);
  EXPECT_EQ(s->originX, 1280);
}

TEST_F(FollowFixture, SmoothScrollingStepsTowardsTheHead) {
  SetFollowOptions(FOLLOW_SMOOTH);
  Follow(1020, 2015);  // the centre cell: no scrolling
  EXPECT_EQ(FollowSelectedTrain(), 0);
  EXPECT_EQ(s->originX, 1000);
  EXPECT_EQ(s->fineX, 0);
  Follow(1022, 2014);  // two cells right, one up: steps of 8 and 4 pixels
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 1001);  // a quarter cell: one cell on, 24 pixels back
  EXPECT_EQ(s->fineX, 24);
  EXPECT_EQ(s->fineY, 4);
  EXPECT_EQ(IsFollowUpdateRequested(), 1);  // goes on at the next idle step
  int calls = 1;
  while (FollowSelectedTrain() == 1 && calls < 100) calls++;
  EXPECT_EQ(s->originX, 1002);
  EXPECT_EQ(s->originY, 1999);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(IsFollowUpdateRequested(), 0);
  // outside the view smooth scrolling jumps as well
  Follow(3000, 3000);
  EXPECT_EQ(FollowSelectedTrain(), 1);
  EXPECT_EQ(s->originX, 2980);
}

// The other end of a level change: found along the direction over plain track, other groups and
// way kinds; reserved or held ends, a foot met first, the grid's edge and a start that is none.
TEST_F(DrawFixture, LevelChangePartners) {
  struct Case {
    const char* name;
    std::vector<std::pair<Cell, uint32_t>> cells;  // the start first
    uint32_t direction;
    int result, x, y, length;
  };
  const uint32_t R = 0x0400;  // rail symbols
  const std::vector<Case> cases = {
      {"down", {{{100, 100, 0}, R | 217}, {{100, 102, 0}, 0x0201}, {{100, 105, 0}, R | 216}}, 1, 0,
       100, 105, 6},
      {"right", {{{10, 10, 0}, R | 219}, {{14, 10, 0}, R | 218}}, 3, 0, 14, 10, 5},
      {"right and down", {{{20, 20, 0}, R | 220}, {{23, 23, 0}, R | 221}}, 4, 0, 23, 23, 4},
      {"left and down", {{{30, 20, 0}, R | 222}, {{28, 22, 0}, R | 223}}, 6, 0, 28, 22, 3},
      {"reserved end", {{{100, 100, 0}, R | 217}, {{100, 103, 0}, R | 216 | 0x4000}}, 1, 1, 100,
       103, 4},
      {"a foot met first", {{{100, 100, 0}, R | 217}, {{100, 102, 0}, R | 217}}, 1, 21, 100, 102, 3},
      {"other group and way kind passed over",
       {{{100, 100, 0}, R | 217}, {{100, 101, 0}, R | 208}, {{100, 102, 0}, 0x1C00 | 216},
        {{100, 103, 0}, R | 216}},
       1, 0, 100, 103, 4},
      {"the second way kind", {{{50, 50, 0}, 0x1C00 | 217}, {{50, 52, 0}, R | 216},
                               {{50, 54, 0}, 0x1C00 | 216}}, 1, 0, 50, 54, 5},
      {"off the grid", {{{100, 32760, 0}, R | 217}}, 1, 12, 100, 32760, -1},
      {"not a level change", {{{100, 100, 0}, 0x0201}, {{100, 103, 0}, R | 216}}, 1, 11, 100, 100,
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearGrid();
    for (auto& [cell, code] : c.cells) ASSERT_EQ(SetCell(cell.x, cell.y, 0, code), 1);
    int x = c.cells[0].first.x, y = c.cells[0].first.y, length = -1;
    EXPECT_EQ(FindClassBPartner(&x, &y, &length, c.direction), c.result);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(length, c.length);
  }
  // a train standing on the other end: read through the train, the end counts as held
  ClearGrid();
  SetCell(100, 100, 0, R | 217);
  SetCell(100, 104, 0, R | 216);
  Place({{100, 104, 0}, {101, 104, 0}}, -1, 0, 0, {{0x110, 40, 0}});
  TrainPositions(GetFirstTrain())[0].codeUnder = R | 216;
  int x = 100, y = 100, length = 0;
  EXPECT_EQ(FindClassBPartner(&x, &y, &length, 1), 1);
  EXPECT_EQ(y, 104);
  EXPECT_EQ(length, 5);
}

// Helpers of the network-file tests (see netfile_test_util.h).
#include "netfile_test_util.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "core/langtext.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/password.h"

static std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string FixtureDir() { return std::string(QUIL_TEST_DATA_DIR) + "/netfixtures/"; }

std::string OutputDir() {
  std::string dir = std::string(QUIL_TEST_BINARY_DIR) + "/netfile_out/";
  std::filesystem::create_directories(dir);
  return dir;
}

void UseFolder(const std::string& folder) {
  SetKindFolder(FILE_KIND_NETWORK, Widen(folder).c_str());
}

void NetTestSetUp() {
  StreamExit();
  ASSERT_EQ(StreamInit(), 0);
  ExitGrid();
  ASSERT_EQ(InitGrid(), 0);
  ExitLanguage();
  ASSERT_EQ(InitLanguage(), 0);
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViews.slot[i].cellsWide = 100;
    EditViews.slot[i].cellsHigh = 50;
  }
  EditViews.active = -1;
  ResetDocumentState();
}

void NetTestTearDown() {
  ExitLanguage();
  ExitGrid();
  StreamExit();
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)),
                              std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

std::vector<uint8_t> FromEofMark(const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); i++)
    if (bytes[i] == 0x1A) return std::vector<uint8_t>(bytes.begin() + (long)i, bytes.end());
  return {};
}

int LoadFixture(const char* name) {
  UseFolder(FixtureDir());
  return LoadNetworkFile(Widen(name).c_str());
}

int SaveAs(const char* name) {
  UseFolder(OutputDir());
  SetNetworkName(Widen(name).c_str());
  return WriteNetworkFile();
}

static void SetName(char16_t* out, const char16_t* text) {
  int i = 0;
  for (; text[i]; i++) out[i] = text[i];
  out[i] = 0;
}

void BuildSmallNetwork() {
  DocumentState& d = DocState;
  EditViews.slot[0].originX = 100;
  EditViews.slot[0].originY = 200;
  EditViews.slot[0].cursorX = 150;
  EditViews.slot[0].cursorY = 220;
  EditViews.slot[0].cursorLevel = -1;
  d.saved[0] = {10, 20, 0, 0x7F0C1E00, {}};
  SetName(d.saved[0].name, u"Alpha");
  d.saved[5] = {30, 40, -2, 0x040A0000, {}};
  SetName(d.saved[5].name, u"Platz \u00e4\u20ac");
  d.homeX = 300;
  d.homeY = 400;
  d.homeLevel = -1;
  d.markX1 = 10;
  d.markY1 = 11;
  d.markX2 = 20;
  d.markY2 = 21;
  d.markLevel = -1;
  d.constructionX = 500;
  d.constructionY = 600;
  SetClockSpeed(7);
  d.weekday = 3;
  d.hour = 13;
  d.minute = 45;
  d.second = 30;
  d.tick = 10;
  d.minuteCount = 12345;
  d.stopMinute = 15;
  d.stopHour = 18;
  d.stopWeekday = 2;
  d.stopRepeat = 3;
  d.blockMarkMode = 6;
  d.weekdayFixed = 1;
  d.fixedSeed = 4242;
  SetSimulationScale(32);
  for (int i = 0; i < 6; i++) d.params[i] = (uint32_t)(i + 1);
  d.simulationSwitch = 1;
  d.dayTimes[0] = 0x0800;
  d.dayTimes[1] = 0x1200;
  d.dayTimes[2] = 0x1300;
  d.dayTimes[3] = 0x0600;
  SetName(d.symbolFiles[0], u"a.uzg");
  SetName(d.symbolFiles[3], u"b.uzg");
  SetName(d.vehicleFiles[0], u"v.nfz");
  SetTextBlock(0, u"Hello");
  SetTextBlock(1, u"World");
  SetTextBlock(2, u"Info text");
  SetCell(1, 2, 0, 0x0201);
  SetCell(63, 63, 0, 0xE003);
  SetCell(70, 5, 0, 0x4030);
  for (int x = 0; x < 300; x++) SetCell(128 + x, 64, 0, 0x0205);
  SetCell(5000, 7000, -2, 0xC001);
  SetCell(5001, 7000, -4, 0xD123);
  UpdateUsedArea(0, 0, 0, 0);
}

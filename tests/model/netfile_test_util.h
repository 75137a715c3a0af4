// Helpers of the network-file tests: module set-up, the fixture folder, whole-file reads and a
// small network built in memory.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

void NetTestSetUp();  // stream, grid, document state of a new network, fixture folder
void NetTestTearDown();
std::string FixtureDir();  // generated fixtures (with a trailing separator)
std::string OutputDir();   // a folder the tests may write into (with a trailing separator)
std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// The bytes from the first 0x1A on (empty when there is none).
std::vector<uint8_t> FromEofMark(const std::vector<uint8_t>& bytes);
int LoadFixture(const char* name);  // LoadNetworkFile from the fixture folder
int SaveAs(const char* name);       // WriteNetworkFile into the output folder
void UseFolder(const std::string& folder);
// The state of the generator's "small" network.
void BuildSmallNetwork();

// The messages of the network file's load and save results: message number and language text
// of each result code, and the functions that show them.
#pragma once
#include <cstdint>

struct NetMessage {
  uint32_t number;  // 0: no message
  uint32_t textId;
  int info;  // 1 information, 0 error
};

// Message of a LoadNetworkFile result (0 and codes without a message give number 0).
NetMessage GetLoadResultMessage(int code);
// Message of a WriteNetworkFile result.
NetMessage GetSaveResultMessage(int code);
// Show the message (nothing for number 0). Returns the message number shown, or 0.
uint32_t ShowLoadResultMessage(int code);
uint32_t ShowSaveResultMessage(int code);

// HTML help: the help file name, the help-id table and the request built for a help id; the
// help viewer is initialised at the first help call and closed at exit.
#include "app/help.h"
#include "app/help_platform.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"

uint32_t HelpMenuOpenId = 0;

static char16_t HelpFile[513] = u"quil.chm";
static int InitWanted = 0;
static int Initialised = 0;
static uintptr_t Cookie = 0;

// Help ids that share a topic with another id: {help id, topic}, ended by a 0 id. The help
// sources in tools/help read this table too (keep one pair a line between the markers).
static const uint32_t HelpIdTable[][2] = {
    // HELP-ID-TABLE-BEGIN
    {40050, 21051},
    {40051, 7140},
    {40052, 7150},
    {40053, 7175},
    {40054, 7130},
    {40055, 7160},
    {40056, 11000},
    {50106, 50105},
    {50113, 50110},
    {50115, 50112},
    {50122, 50116},
    {50191, 50190},
    {50221, 50201},
    // HELP-ID-TABLE-END
    {0, 0},
};

uint32_t GetHelpTopicForId(uint32_t id) {
  for (int i = 0; HelpIdTable[i][0]; i++)
    if (HelpIdTable[i][0] == id) return HelpIdTable[i][1];
  return id;
}

const char16_t* GetHelpFileName() { return HelpFile; }

int SetHelpFileName(const char16_t* name) {
  if (!name || !name[0]) return 1;
  int n = StringLength(name);
  if (n > 512) return 1;
  CopyString(HelpFile, name);
  return 0;
}

static int Append(char16_t* out, int used, int cap, const char16_t* s) {
  for (int i = 0; s[i]; i++) {
    if (used >= cap - 1) return -1;
    out[used++] = s[i];
  }
  out[used] = 0;
  return used;
}

int BuildHelpRequest(uint32_t id, const char16_t* programFolder, uint32_t menuOpenId,
                     HelpRequest* req) {
  req->path[0] = 0;
  req->topic[0] = 0;
  req->topicId = 0;
  if (id == HELPID_CLOSE_ALL) {
    req->action = HELP_ACT_CLOSE;
    return 0;
  }
  if (id == HELPID_MENU) id = menuOpenId ? menuOpenId : HELPID_NO_MENU;
  if (id == HELPID_TRACE) {
    req->action = HELP_ACT_TRACE;
    return 0;
  }
  int used = Append(req->path, 0, HELP_PATH_MAX, programFolder ? programFolder : u"");
  if (used >= 0) used = Append(req->path, used, HELP_PATH_MAX, HelpFile);
  if (used < 0) {
    req->path[0] = 0;
    return 1;
  }
  const char16_t* tail = id == HELPID_INDEX ? u">ViewerIndexOn" : u">ViewerIndexOff";
  if (used + StringLength(tail) < 259)
    Append(req->path, used, (int)(sizeof req->path / sizeof req->path[0]), tail);
  if (id == HELPID_INDEX) {
    req->action = HELP_ACT_INDEX;
    return 0;
  }
  req->action = HELP_ACT_TOPIC;
  req->topicId = GetHelpTopicForId(id);
  // "html\%05i.htm"
  int k = Append(req->topic, 0, 32, u"html\\");
  k += FormatUnsignedDigits(req->topic + k, req->topicId, 5);
  req->topic[k] = 0;
  Append(req->topic, k, 32, u".htm");
  return 0;
}

int InitHtmlHelp() {
  InitWanted = 1;
  return 1;
}

static void BindAtFirstUse() {
  if (InitWanted && !Initialised) {
    HelpPlatformCall(nullptr, nullptr, HH_CMD_INITIALIZE, (uintptr_t)&Cookie);
    Initialised = 1;
  }
}

void ExitHtmlHelp() {
  if (Initialised) {
    HelpPlatformCall(nullptr, nullptr, HH_CMD_CLOSE_ALL, 0);
    HelpPlatformCall(nullptr, nullptr, HH_CMD_UNINITIALIZE, Cookie);
  }
  Initialised = 0;
  InitWanted = 0;
}

int OfferMessageToHelp(const void* message) {
  if (!Initialised || !message) return 0;
  return HelpPlatformCall(nullptr, nullptr, HH_CMD_PRETRANSLATE, (uintptr_t)message) != 0;
}

intptr_t ShowHelpTopic(uint32_t id) {
  char16_t folder[STREAM_PATH_CHARS];
  folder[0] = 0;
  GetKindFolder(FILE_KIND_PROGRAM, folder);
  HelpRequest req;
  if (BuildHelpRequest(id, folder, HelpPlatformMenuOpen(), &req)) return 0;
  if (req.action == HELP_ACT_CLOSE) {
    if (!Initialised) return 0;  // no help window can be open before the first help call
    return HelpPlatformCall(nullptr, nullptr, HH_CMD_CLOSE_ALL, 0);
  }
  if (req.action == HELP_ACT_TRACE) {
    ShowTraceBox(u"HLP F11?");
    return 0;
  }
  WrapWindow owner = MessageBoxOwner();
  BindAtFirstUse();
  if (req.action == HELP_ACT_INDEX)
    return HelpPlatformCall(owner, req.path, HH_CMD_DISPLAY_INDEX, 0);
  return HelpPlatformCall(owner, req.path, HH_CMD_DISPLAY_TOPIC, (uintptr_t)req.topic);
}

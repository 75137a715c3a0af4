// The message templates 1 and 2 on the dialog engine: the shared descriptors and the run that
// start-up puts into the message functions' hooks (core/msgbox.h).
#pragma once
#include <cstdint>
#include "core/platform.h"

struct DialogRecord;
// The shared descriptor of template 1 (OK, Help) or 2 (Yes, No, Help, Cancel) filled with title,
// help topic and text.
DialogRecord* BuildMessageDescriptor(uint32_t templateId, const char16_t* title, uint16_t helpTopic,
                                     const char16_t* text);
// Runs the template with DlgF_Einfach and that descriptor; MSG_RESULT_...
int RunMessageDialog(WrapWindow owner, uint32_t templateId, const char16_t* title,
                     uint16_t helpTopic, const char16_t* text);

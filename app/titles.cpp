// Composition of the window titles from their parts (the windows themselves are set by the
// Win32 code).
#include "app/titles.h"

namespace {
struct Out {
    char16_t* p;
    int cap;
    int n;
};
}

static void Put(Out* o, const char16_t* s)
{
    if (!s) return;
    for (; *s; s++)
        if (o->n < o->cap - 1) o->p[o->n++] = *s;
}

static void PutAscii(Out* o, const char* s)
{
    for (; *s; s++)
        if (o->n < o->cap - 1) o->p[o->n++] = (char16_t)*s;
}

static void PutU(Out* o, uint32_t v)
{
    char buf[12];
    int i = 11;
    buf[i] = 0;
    do { buf[--i] = (char)('0' + v % 10); v /= 10; } while (v);
    PutAscii(o, buf + i);
}

static int Begin(Out* o, char16_t* out, int capacity, int second)
{
    o->p = out;
    o->cap = capacity;
    o->n = 0;
    if (capacity < 1) return 0;
    PutAscii(o, "QUIL");
    if (second) PutAscii(o, "(2)");
    return 1;
}

static int End(Out* o)
{
    o->p[o->n] = 0;
    return o->n;
}

int ComposeMainTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8120,
                     const char16_t* network, const char16_t* modifiedText,
                     const char16_t* logText, const char16_t* logName)
{
    Out o;
    if (!Begin(&o, out, capacity, secondInstance)) return 0;
    PutAscii(&o, " "); Put(&o, text8120);
    PutAscii(&o, " "); Put(&o, network);
    PutAscii(&o, " "); Put(&o, modifiedText);
    PutAscii(&o, " "); Put(&o, logText);
    Put(&o, logName);
    return End(&o);
}

int ComposeEditTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8121,
                     uint32_t n, const char16_t* network, const char16_t* text8122,
                     uint32_t a, uint32_t b, const char16_t* followLabel)
{
    Out o;
    if (!Begin(&o, out, capacity, secondInstance)) return 0;
    PutAscii(&o, " "); Put(&o, text8121); PutU(&o, n);
    PutAscii(&o, " "); Put(&o, network);
    PutAscii(&o, " "); Put(&o, text8122);
    PutAscii(&o, " "); PutU(&o, a); PutAscii(&o, ":"); PutU(&o, b);
    PutAscii(&o, " "); Put(&o, followLabel);
    return End(&o);
}

int ComposeClockTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8125)
{
    Out o;
    if (!Begin(&o, out, capacity, secondInstance)) return 0;
    PutAscii(&o, " "); Put(&o, text8125);
    return End(&o);
}

int RunTimeParts(uint32_t seconds, uint32_t* hours, uint32_t* minutes, uint32_t* secs)
{
    *hours = seconds / 3600;
    *minutes = seconds / 60 % 60;
    *secs = seconds % 60;
    return seconds >= 1504;
}

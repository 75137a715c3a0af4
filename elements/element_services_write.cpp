// Neutral defaults of the element-store section writers until the stores are built: each
// section is written in its empty form (the viewer writes no network files).
#ifndef QUIL_VIEWER
#include "elements/element_services.h"
#include "model/netfile_sections.h"

int RpWriteSection() { return WriteEmptyRpSection(); }
int SaveTpSection() { return WriteEmptyTpSection(); }
int DwxWriteSection() { return WriteEmptyDwxSection(); }
int SaveHstSection() { return WriteEmptyHstSection(); }
int SaveLfstSection() { return WriteEmptyLfstSection(); }
int SaveLogPointSection() { return WriteEmptyLogPointSection(); }
int PrellWriteSection() { return WriteEmptyPrellSection(); }
int SaveInfoSection() { return WriteEmptyInfoSection(); }
#endif

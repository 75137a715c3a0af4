// The counting allocator of the program: every block comes from the platform heap through
// MemAlloc and goes back through MemFree; the counters give the live blocks and bytes.
#include "core/misc.h"
#include "core/platform.h"

int32_t MemBlockCount = 0;
uint32_t MemByteTotal = 0;

void* MemAlloc(size_t size) {
  if (size > 0xFFFFFFFFu) return nullptr;  // the byte counter is 32 bits wide
  WrapGlobal handle = WrapGlobalAlloc(WRAP_GMEM_FIXED, size);
  if (!handle) return nullptr;
  void* block = WrapGlobalLock(handle);
  if (!block) {
    WrapGlobalFree(handle);
    return nullptr;
  }
  MemBlockCount += 1;
  MemByteTotal += (uint32_t)WrapGlobalSize(handle);
  return block;
}

void* MemRealloc(void* block, size_t size) {
  if (!block || size > 0xFFFFFFFFu) return nullptr;
  WrapGlobal handle = WrapGlobalHandle(block);
  if (!handle) return nullptr;
  size_t oldSize = WrapGlobalSize(handle);
  WrapGlobal grown = WrapGlobalReAlloc(handle, size, WRAP_GMEM_MOVEABLE);
  if (!grown) return nullptr;  // the old block stays valid and counted
  void* moved = WrapGlobalLock(grown);
  if (!moved) return nullptr;
  MemByteTotal += (uint32_t)WrapGlobalSize(grown) - (uint32_t)oldSize;
  return moved;
}

int MemFree(void* block) {
  if (!block) return MEMFREE_NULL;
  WrapGlobal handle = WrapGlobalHandle(block);
  if (!handle) return MEMFREE_NOT_OURS;
  size_t size = WrapGlobalSize(handle);
  if (size == 0) return MEMFREE_SIZE_ZERO;
  if (WrapGlobalFree(handle) != nullptr) return MEMFREE_REFUSED;
  MemBlockCount -= 1;
  MemByteTotal -= (uint32_t)size;
  return 0;
}

int MemForget(size_t size) {
  if (size == 0) return 1;
  if (MemBlockCount < 1) return 2;
  MemBlockCount -= 1;
  MemByteTotal -= (uint32_t)size;
  return 0;
}

uint64_t GetMemoryStatus(uint64_t* freePhysical, uint64_t* totalVirtual, uint64_t* freeVirtual,
                         uint32_t* loadPercent, int32_t* blockCount, uint32_t* byteTotal) {
  WrapMemoryStatus status = {};
  if (!WrapGlobalMemoryStatus(&status)) status = WrapMemoryStatus{};
  if (freePhysical) *freePhysical = status.freePhysical;
  if (totalVirtual) *totalVirtual = status.totalVirtual;
  if (freeVirtual) *freeVirtual = status.freeVirtual;
  if (loadPercent) *loadPercent = status.loadPercent;
  if (blockCount) *blockCount = MemBlockCount;
  if (byteTotal) *byteTotal = MemByteTotal;
  return status.totalPhysical;
}

int InitMisc() { return 0; }
void ExitMisc() {}

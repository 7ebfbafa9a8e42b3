#include "ui/proc_thunk.h"

#include <cstring>
#include <vector>

#include "ui/error.h"

#if !defined(__i386__)
#error "ProcThunk writes 32-bit x86 code"
#endif

namespace ui {

namespace {

constexpr size_t kSlotSize = 16;

// Slots of executable memory, handed out and taken back on the user-interface thread.
class SlotPool {
 public:
  unsigned char* take() {
    if (free_.empty()) grow();
    unsigned char* slot = free_.back();
    free_.pop_back();
    return slot;
  }
  void give(unsigned char* slot) { free_.push_back(slot); }

 private:
  void grow() {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    auto* page = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, si.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page) throw Error("Cannot allocate memory for window procedures");
    for (size_t off = 0; off + kSlotSize <= si.dwPageSize; off += kSlotSize) free_.push_back(page + off);
  }
  std::vector<unsigned char*> free_;
};

SlotPool& pool() {
  static SlotPool* p = new SlotPool;  // lives as long as the code it hands out
  return *p;
}

void putJump(unsigned char* at, const void* to) {
  at[0] = 0xE9;  // jmp rel32
  auto rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(to) - reinterpret_cast<intptr_t>(at + 5));
  std::memcpy(at + 1, &rel, 4);
}

}  // namespace

ProcThunk::ProcThunk(void* context, Target target) : code_(pool().take()) {
  // The target takes five stack arguments and removes them all on return (stdcall),
  // so the caller, which pushed four, finds its stack as it left it.
  unsigned char* c = code_;
  c[0] = 0x58;  // pop eax        (return address)
  c[1] = 0x68;  // push context
  std::memcpy(c + 2, &context, 4);
  c[6] = 0x50;  // push eax
  putJump(c + 7, reinterpret_cast<const void*>(target));
  FlushInstructionCache(GetCurrentProcess(), code_, kSlotSize);
}

ProcThunk::~ProcThunk() {
  if (code_) pool().give(code_);
}

void ProcThunk::forwardForever(WNDPROC next) {
  if (!code_) return;
  putJump(code_, reinterpret_cast<const void*>(next));
  FlushInstructionCache(GetCurrentProcess(), code_, kSlotSize);
  code_ = nullptr;
}

}  // namespace ui

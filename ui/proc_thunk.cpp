#include "ui/proc_thunk.h"

#include <cstring>
#include <vector>

#include "ui/error.h"

#if !defined(__i386__) && !defined(__x86_64__)
#error "ProcThunk writes x86 code"
#endif

namespace ui {

namespace {

#if defined(__x86_64__)
constexpr size_t kSlotSize = 64;
#else
constexpr size_t kSlotSize = 16;
#endif

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

#if defined(__i386__)

void putJump(unsigned char* at, const void* to) {
  at[0] = 0xE9;  // jmp rel32
  auto rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(to) - reinterpret_cast<intptr_t>(at + 5));
  std::memcpy(at + 1, &rel, 4);
}

// The target takes five stack arguments and removes them all on return (stdcall), so
// the caller, which pushed four, finds its stack as it left it.
void putCall(unsigned char* c, void* context, const void* target) {
  c[0] = 0x58;  // pop eax        (return address)
  c[1] = 0x68;  // push context
  std::memcpy(c + 2, &context, 4);
  c[6] = 0x50;  // push eax
  putJump(c + 7, target);
}

#else

void putJump(unsigned char* at, const void* to) {
  static const unsigned char jump[] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0,  // mov rax, to
                                       0xFF, 0xE0};                         // jmp rax
  std::memcpy(at, jump, sizeof jump);
  std::memcpy(at + 2, &to, 8);
}

// The four arguments arrive in rcx, rdx, r8 and r9; each moves one place on and the
// fourth goes to the stack, which the caller did not reserve room for: so this is a
// call in a frame of its own, not a jump. Nothing may unwind through it (the frame has
// no unwind data), which holds because window procedures let no exception out.
void putCall(unsigned char* c, void* context, const void* target) {
  static const unsigned char code[] = {
      0x48, 0x83, 0xEC, 0x38,                    // sub rsp, 56      (keeps 16-byte alignment)
      0x4C, 0x89, 0x4C, 0x24, 0x20,              // mov [rsp+32], r9 (fifth argument)
      0x4D, 0x89, 0xC1,                          // mov r9, r8
      0x49, 0x89, 0xD0,                          // mov r8, rdx
      0x48, 0x89, 0xCA,                          // mov rdx, rcx
      0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0,        // mov rcx, context
      0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0,        // mov rax, target
      0xFF, 0xD0,                                // call rax
      0x48, 0x83, 0xC4, 0x38,                    // add rsp, 56
      0xC3};                                     // ret
  static_assert(sizeof code <= kSlotSize);
  std::memcpy(c, code, sizeof code);
  std::memcpy(c + 20, &context, 8);
  std::memcpy(c + 30, &target, 8);
}

#endif

}  // namespace

ProcThunk::ProcThunk(void* context, Target target) : code_(pool().take()) {
  putCall(code_, context, reinterpret_cast<const void*>(target));
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

#include "cl_fpu.h"

#include <xmmintrin.h>

namespace {

constexpr uint32_t kSSEStatusFlags = 0x3F;

}  // namespace

uint16_t GetX87ControlWord() {
    uint16_t controlWord = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(controlWord));
    return controlWord;
}

void SetX87ControlWord(uint16_t controlWord) {
    __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(controlWord));
}

uint32_t GetSSEControlWord() { return _mm_getcsr(); }

void SetSSEControlWord(uint32_t controlWord) { _mm_setcsr(controlWord & ~kSSEStatusFlags); }

TFPUControlGuard::TFPUControlGuard() : x87_(GetX87ControlWord()), sse_(GetSSEControlWord()) {}

TFPUControlGuard::~TFPUControlGuard() {
    SetX87ControlWord(x87_);
    SetSSEControlWord(sse_);
}

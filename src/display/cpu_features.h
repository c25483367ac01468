// Which vector instructions the processor and the operating system give
// this process, read once from the processor's own feature flags.
#pragma once

#include <stdint.h>

// The registers that decide it: CPUID leaf 1 ECX, leaf 7 (sub-leaf 0) EBX,
// and XCR0 as XGETBV reads it (0 when the OS does not enable XGETBV).
struct CpuidBits {
    uint32_t maxLeaf;
    uint32_t leaf1Ecx;
    uint32_t leaf7Ebx;
    uint64_t xcr0;
};

// AVX2 needs the instructions (leaf 7 EBX bit 5), AVX itself (leaf 1 ECX
// bit 28), OSXSAVE (leaf 1 ECX bit 27), and the OS saving the SSE and AVX
// halves of the registers at a thread switch (XCR0 bits 1 and 2).
int avx2Usable(const CpuidBits& bits);

// This processor's registers; all 0 where CPUID is not available.
CpuidBits readCpuidBits();

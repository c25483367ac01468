#include "display/cpu_features.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

int avx2Usable(const CpuidBits& bits)
{
    const uint32_t osxsave = 1u << 27, avx = 1u << 28, avx2 = 1u << 5;
    const uint64_t ymmState = 0x6;  // the XMM and the upper YMM halves
    if (bits.maxLeaf < 7) return 0;
    if ((bits.leaf1Ecx & (osxsave | avx)) != (osxsave | avx)) return 0;
    if ((bits.xcr0 & ymmState) != ymmState) return 0;
    return (bits.leaf7Ebx & avx2) != 0;
}

#if defined(__i386__) || defined(__x86_64__)

// XGETBV by its bytes: the instruction is only valid once OSXSAVE says so,
// and naming it would need the compiler's XSAVE option for this file.
static uint64_t readXcr0()
{
    uint32_t lo = 0, hi = 0;
    __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(lo), "=d"(hi) : "c"(0));
    return uint64_t(hi) << 32 | lo;
}

CpuidBits readCpuidBits()
{
    CpuidBits bits = {};
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0, &a, &b, &c, &d)) return bits;
    bits.maxLeaf = a;
    if (a >= 1 && __get_cpuid(1, &a, &b, &c, &d)) bits.leaf1Ecx = c;
    if (bits.maxLeaf >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        bits.leaf7Ebx = b;
    }
    if (bits.leaf1Ecx & (1u << 27)) bits.xcr0 = readXcr0();
    return bits;
}

#else

CpuidBits readCpuidBits()
{
    return CpuidBits{};
}

#endif

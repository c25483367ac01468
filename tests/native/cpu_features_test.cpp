// The choice of the AVX2 path from the processor's feature registers.
#include <gtest/gtest.h>

#include "display/cpu_features.h"

namespace {

// A processor with AVX2 whose OS saves the whole registers.
CpuidBits withAvx2()
{
    return CpuidBits{0xD, (1u << 27) | (1u << 28) | 1u, 1u << 5, 0x7};
}

}  // namespace

TEST(CpuFeatures, Avx2NeedsTheInstructionsAvxAndTheOperatingSystemsSavedState)
{
    EXPECT_TRUE(avx2Usable(withAvx2()));
    CpuidBits b = withAvx2();
    b.leaf7Ebx = 0;
    EXPECT_FALSE(avx2Usable(b)) << "no AVX2 instructions";
    b = withAvx2();
    b.leaf7Ebx = ~(1u << 5);
    EXPECT_FALSE(avx2Usable(b)) << "every other leaf-7 feature, not AVX2";
    b = withAvx2();
    b.leaf1Ecx &= ~(1u << 28);
    EXPECT_FALSE(avx2Usable(b)) << "no AVX";
    b = withAvx2();
    b.leaf1Ecx &= ~(1u << 27);
    EXPECT_FALSE(avx2Usable(b)) << "no OSXSAVE: XCR0 cannot be trusted";
    b = withAvx2();
    b.xcr0 = 0x3;
    EXPECT_FALSE(avx2Usable(b)) << "the OS does not save the upper halves";
    b.xcr0 = 0x5;
    EXPECT_FALSE(avx2Usable(b)) << "nor the SSE state";
    b.xcr0 = 0xE7;
    EXPECT_TRUE(avx2Usable(b)) << "AVX-512 state as well";
    b = withAvx2();
    b.maxLeaf = 6;
    EXPECT_FALSE(avx2Usable(b)) << "leaf 7 does not exist: its bits are not read";
    b.maxLeaf = 7;
    EXPECT_TRUE(avx2Usable(b));
}

TEST(CpuFeatures, ThisProcessorReportsWhatItsFlagsSay)
{
    CpuidBits bits = readCpuidBits();
#if defined(__x86_64__)
    EXPECT_GE(bits.maxLeaf, 1u) << "every x86-64 processor has leaf 1";
    EXPECT_NE(bits.leaf1Ecx, 0u);
#endif
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    EXPECT_EQ(avx2Usable(bits) != 0, __builtin_cpu_supports("avx2") != 0) << "agrees with the compiler's own check";
#endif
}

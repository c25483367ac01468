#include "display/hot_mask_avx2.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

#define AVX2 __attribute__((target("avx2")))

namespace {

// Four pixels, one to each 64 bits; the sign of each pixel's low 32 bits
// says hot. One multiply-add squares {C1, C2, 0, L - Y} into
// {C1² + C2², (L - Y)²}; the upper 32 bits of the sums hold L - Y shifted
// up, whose sign is the luma test.
AVX2 inline __m256i hotQuad(const HotLanes& t, const uint8_t* p, __m256i chromaSq)
{
    __m128i a = _mm_unpacklo_epi64(laneSums(t, p), laneSums(t, p + 3));
    __m128i b = _mm_unpacklo_epi64(laneSums(t, p + 6), laneSums(t, p + 9));
    __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(a), b, 1);
    __m256i sq = _mm256_madd_epi16(v, v);
    __m256i overChroma = _mm256_cmpgt_epi32(sq, chromaSq);
    __m256i overComposite = _mm256_cmpgt_epi32(sq, _mm256_srli_epi64(sq, 32));
    __m256i overLuma = _mm256_srli_epi64(v, 32);
    return _mm256_or_si256(overLuma, _mm256_or_si256(overChroma, overComposite));
}

// Taking the low dwords of two quads puts pixels 0, 1, 4, 5, 2, 3, 6, 7 at
// bits 0 to 7 of the movemask; pixel i belongs at bit 7 - i of the mask
// byte, which holds 0 for a hot pixel.
struct MaskOrder {
    uint8_t byte[256];
    MaskOrder()
    {
        static const int pixelAt[8] = {0, 1, 4, 5, 2, 3, 6, 7};
        for (int m = 0; m < 256; m++) {
            int bits = 0;
            for (int j = 0; j < 8; j++)
                if (m >> j & 1) bits |= 1 << (7 - pixelAt[j]);
            byte[m] = uint8_t(~bits);
        }
    }
};

}  // namespace

AVX2 void hotMaskBytesAvx2(const uint8_t* colour, uint8_t* mask, int from, int to, const HotLanes& lanes)
{
    static const MaskOrder order;
    const HotLanes t = lanes;  // held in registers: the mask stores cannot change it
    const __m256i chromaSq = _mm256_set1_epi32(t.chromaLimitSquared);
    for (int byte = from; byte < to; byte++) {
        const uint8_t* p = colour + 24 * byte;
        __m256 a = _mm256_castsi256_ps(hotQuad(t, p, chromaSq));
        __m256 b = _mm256_castsi256_ps(hotQuad(t, p + 12, chromaSq));
        mask[byte] = order.byte[_mm256_movemask_ps(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)))];
    }
}

#else  // not an x86 processor: never chosen

void hotMaskBytesAvx2(const uint8_t*, uint8_t*, int, int, const HotLanes&) {}

#endif

#include "card/checksum.h"

#include <zlib.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CINEFICHE_FOLDED_CRC 1
#endif

namespace {

quint32 zlibCrc32(QByteArrayView bytes, quint32 crc)
{
    return quint32(::crc32(crc, reinterpret_cast<const Bytef *>(bytes.data()), uInt(bytes.size())));
}

#ifdef CINEFICHE_FOLDED_CRC

// Folding by carry-less multiplication, as Intel's paper on CRCs with
// PCLMULQDQ gives it for the bit-reflected polynomial 0x1DB710641: the
// constants are x^(4*128+32), x^(4*128-32), x^(128+32), x^(128-32) and
// x^64 modulo the polynomial, then the polynomial and its Barrett quotient.
#define FOLDING __attribute__((target("pclmul,sse4.1")))

FOLDING __m128i foldInto(__m128i folded, __m128i constants, __m128i next)
{
    const __m128i low = _mm_clmulepi64_si128(folded, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(folded, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

__m128i loadAt(const char *bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes));
}

// The 128 bits left reduced to the 32 of the CRC.
FOLDING quint32 reduced(__m128i x1, __m128i k3k4)
{
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i x2 = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2);
    x2 = _mm_srli_si128(x1, 4);
    x1 = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), _mm_set_epi64x(0, 0x0163cd6124), 0x00);
    x1 = _mm_xor_si128(x1, x2);
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    x2 = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    x2 = _mm_clmulepi64_si128(_mm_and_si128(x2, low32), poly, 0x00);
    return quint32(_mm_extract_epi32(_mm_xor_si128(x1, x2), 1));
}

// The CRC, inverted as zlib keeps it between calls, of size bytes: at
// least 64, a multiple of 16.
FOLDING quint32 foldedCrc(const char *bytes, qsizetype size, quint32 crc)
{
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    __m128i x[4] = { _mm_xor_si128(loadAt(bytes), _mm_cvtsi32_si128(int(crc))), loadAt(bytes + 16),
        loadAt(bytes + 32), loadAt(bytes + 48) };
    qsizetype at = 64;
    for (; at + 64 <= size; at += 64) {
        for (int i = 0; i < 4; ++i)
            x[i] = foldInto(x[i], k1k2, loadAt(bytes + at + 16 * i));
    }
    __m128i folded = foldInto(foldInto(foldInto(x[0], k3k4, x[1]), k3k4, x[2]), k3k4, x[3]);
    for (; at + 16 <= size; at += 16)
        folded = foldInto(folded, k3k4, loadAt(bytes + at));
    return reduced(folded, k3k4);
}

bool canFold()
{
    static const bool can = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return can;
}

#endif

}   // namespace

quint32 crc32Of(QByteArrayView bytes, quint32 crc)
{
#ifdef CINEFICHE_FOLDED_CRC
    if (bytes.size() >= 64 && canFold()) {
        const qsizetype folded = bytes.size() & ~qsizetype(15);
        crc = ~foldedCrc(bytes.data(), folded, ~crc);
        bytes = bytes.sliced(folded);
    }
#endif
    return zlibCrc32(bytes, crc);
}

#include "storage/ContentDigest.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::array<std::uint64_t, 8> kInitial = {
    0x6a09e667f3bcc908, 0xbb67ae8584caa73b, 0x3c6ef372fe94f82b, 0xa54ff53a5f1d36f1,
    0x510e527fade682d1, 0x9b05688c2b3e6c1f, 0x1f83d9abfb41bd6b, 0x5be0cd19137e2179,
};

// The order in which each of the twelve rounds takes the block's sixteen words.
constexpr std::uint8_t kSchedule[12][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {14, 10, 4, 8, 9, 15, 13, 6, 1, 12, 0, 2, 11, 7, 5, 3},
    {11, 8, 12, 0, 5, 2, 15, 13, 10, 14, 3, 6, 7, 1, 9, 4}, {7, 9, 3, 1, 13, 12, 11, 14, 2, 6, 5, 10, 4, 0, 15, 8},
    {9, 0, 5, 7, 2, 4, 10, 15, 14, 1, 11, 12, 6, 8, 3, 13}, {2, 12, 6, 10, 0, 11, 8, 3, 4, 13, 7, 5, 15, 14, 1, 9},
    {12, 5, 1, 15, 14, 13, 4, 10, 0, 7, 6, 3, 9, 2, 8, 11}, {13, 11, 7, 14, 12, 1, 3, 9, 5, 0, 15, 4, 8, 6, 2, 10},
    {6, 15, 14, 9, 11, 3, 0, 8, 12, 2, 13, 7, 1, 4, 10, 5}, {10, 2, 8, 4, 7, 6, 1, 5, 15, 11, 9, 14, 3, 12, 13, 0},
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {14, 10, 4, 8, 9, 15, 13, 6, 1, 12, 0, 2, 11, 7, 5, 3},
};

constexpr std::size_t kResultSize = 32;

void Mix(std::array<std::uint64_t, 16>& v, int a, int b, int c, int d, std::uint64_t x, std::uint64_t y)
{
    v[a] += v[b] + x;
    v[d] = std::rotr(v[d] ^ v[a], 32);
    v[c] += v[d];
    v[b] = std::rotr(v[b] ^ v[c], 24);
    v[a] += v[b] + y;
    v[d] = std::rotr(v[d] ^ v[a], 16);
    v[c] += v[d];
    v[b] = std::rotr(v[b] ^ v[c], 63);
}

} // namespace

ContentDigest::ContentDigest() : m_state(kInitial)
{
    // No key; the length of the result.
    m_state[0] ^= 0x01010000 ^ kResultSize;
}

void ContentDigest::Add(std::string_view bytes)
{
    while (!bytes.empty()) {
        // The last block is compressed differently, so a full block waits for more bytes.
        if (m_filled == m_block.size()) {
            Compress(false);
            m_filled = 0;
        }
        const std::size_t take = std::min(bytes.size(), m_block.size() - m_filled);
        std::copy_n(bytes.begin(), take, m_block.begin() + static_cast<std::ptrdiff_t>(m_filled));
        m_filled += take;
        bytes.remove_prefix(take);
    }
}

std::string ContentDigest::Result()
{
    std::fill(m_block.begin() + static_cast<std::ptrdiff_t>(m_filled), m_block.end(), 0);
    Compress(true);
    std::string result(kResultSize, '\0');
    for (std::size_t k = 0; k < kResultSize; ++k) {
        result[k] = static_cast<char>(m_state[k / 8] >> (8 * (k % 8)));
    }
    return result;
}

void ContentDigest::Compress(bool last)
{
    m_count += m_filled;
    std::array<std::uint64_t, 16> words{};
    for (std::size_t k = 0; k < m_block.size(); ++k) {
        words[k / 8] |= static_cast<std::uint64_t>(m_block[k]) << (8 * (k % 8));
    }
    std::array<std::uint64_t, 16> v{};
    std::copy(m_state.begin(), m_state.end(), v.begin());
    std::copy(kInitial.begin(), kInitial.end(), v.begin() + 8);
    v[12] ^= m_count; // a file's length fits the counter's low word
    if (last) {
        v[14] = ~v[14];
    }
    for (const auto& order : kSchedule) {
        Mix(v, 0, 4, 8, 12, words[order[0]], words[order[1]]);
        Mix(v, 1, 5, 9, 13, words[order[2]], words[order[3]]);
        Mix(v, 2, 6, 10, 14, words[order[4]], words[order[5]]);
        Mix(v, 3, 7, 11, 15, words[order[6]], words[order[7]]);
        Mix(v, 0, 5, 10, 15, words[order[8]], words[order[9]]);
        Mix(v, 1, 6, 11, 12, words[order[10]], words[order[11]]);
        Mix(v, 2, 7, 8, 13, words[order[12]], words[order[13]]);
        Mix(v, 3, 4, 9, 14, words[order[14]], words[order[15]]);
    }
    for (std::size_t k = 0; k < m_state.size(); ++k) {
        m_state[k] ^= v[k] ^ v[k + 8];
    }
}

std::string Digest(std::string_view bytes)
{
    ContentDigest digest;
    digest.Add(bytes);
    return digest.Result();
}

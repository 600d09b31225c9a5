// PNG writing with a fixed-Huffman deflate stream. Matches are looked for
// one pixel back and one row up only: that is where a screenshot of flat
// rectangles repeats itself, and it keeps the coder short and exact.
#include "support/png.hpp"

#include <algorithm>
#include <cstdio>

namespace {

struct Bits {
    std::vector<uint8_t> out;
    uint32_t acc = 0;
    int count = 0;
    void put(uint32_t value, int n) {  // n bits of value, least significant first
        for (int i = 0; i < n; ++i) {
            acc |= ((value >> i) & 1u) << count;
            if (++count == 8) {
                out.push_back(static_cast<uint8_t>(acc));
                acc = 0;
                count = 0;
            }
        }
    }
    void code(uint32_t code, int n) {  // a Huffman code, most significant bit first
        for (int i = n - 1; i >= 0; --i) put((code >> i) & 1u, 1);
    }
    void flush() {
        if (count > 0) out.push_back(static_cast<uint8_t>(acc));
        acc = 0;
        count = 0;
    }
};

void symbol(Bits& b, int s) {  // the fixed literal/length alphabet
    if (s < 144)
        b.code(0x30 + s, 8);
    else if (s < 256)
        b.code(0x190 + s - 144, 9);
    else if (s < 280)
        b.code(s - 256, 7);
    else
        b.code(0xc0 + s - 280, 8);
}

const int LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int DIST_BASE[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                         33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int DIST_EXTRA[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                          6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void match(Bits& b, int length, int distance) {
    int l = 28;
    while (LENGTH_BASE[l] > length) --l;
    symbol(b, 257 + l);
    b.put(length - LENGTH_BASE[l], LENGTH_EXTRA[l]);
    int d = 29;
    while (DIST_BASE[d] > distance) --d;
    b.code(d, 5);
    b.put(distance - DIST_BASE[d], DIST_EXTRA[d]);
}

std::vector<uint8_t> deflate(const std::vector<uint8_t>& in, size_t stride) {
    Bits b;
    b.put(1, 1);  // the last block
    b.put(1, 2);  // fixed Huffman codes
    size_t i = 0;
    while (i < in.size()) {
        size_t bestLength = 0, bestDistance = 0;
        for (size_t distance : {size_t{3}, stride}) {
            if (distance > i || distance > 32768) continue;
            size_t n = 0, limit = std::min<size_t>(258, in.size() - i);
            while (n < limit && in[i + n] == in[i + n - distance]) ++n;
            if (n > bestLength) bestLength = n, bestDistance = distance;
        }
        if (bestLength >= 3) {
            match(b, static_cast<int>(bestLength), static_cast<int>(bestDistance));
            i += bestLength;
        } else {
            symbol(b, in[i++]);
        }
    }
    symbol(b, 256);  // end of block
    b.flush();
    return b.out;
}

uint32_t crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void be32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    be32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    be32(png, crc32(body.data(), body.size()));
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    size_t row = static_cast<size_t>(width) * 3;
    if (width <= 0 || height <= 0 || rgb.size() != row * height) return false;
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgb.begin() + y * row, rgb.begin() + (y + 1) * row);
    }
    uint32_t a = 1, b = 0;  // Adler-32 of the uncompressed stream, for zlib
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    std::vector<uint8_t> packed = deflate(raw, row + 1);
    z.insert(z.end(), packed.begin(), packed.end());
    be32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> header;
    be32(header, static_cast<uint32_t>(width));
    be32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter choice, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

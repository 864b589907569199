// png.cpp -- PNG writing with stored deflate blocks: no compression library needed.
#include "png.h"

#include "tool_common.h"

#include <string>

namespace {

uint32_t crc_table[256];

void make_crc_table(void)
{
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t c = n;
        for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        crc_table[n] = c;
    }
}

uint32_t crc(const std::vector<uint8_t>& b, size_t from)
{
    uint32_t c = 0xFFFFFFFFU;
    for (size_t i = from; i < b.size(); i++) c = crc_table[(c ^ b[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

void be32(std::vector<uint8_t>* b, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8) b->push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& data)
{
    be32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out->insert(out->end(), body.begin(), body.end());
    be32(out, crc(body, 0));
}

}  // namespace

int png_write_rgb(const char* path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) return 0;
    make_crc_table();
    std::vector<uint8_t> raw;   // each row: filter 0, then the pixels
    for (int y = 0; y < height; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + static_cast<long>(y) * width * 3,
                   rgb.begin() + static_cast<long>(y + 1) * width * 3);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0;) {
        size_t n = raw.size() - at;
        if (n > 65535) n = 65535;
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
        if (n == 0) break;
    }
    be32(&z, (b << 16) | a);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    be32(&ihdr, static_cast<uint32_t>(width));
    be32(&ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    chunk(&out, "IHDR", ihdr);
    chunk(&out, "IDAT", z);
    chunk(&out, "IEND", {});
    std::string err;
    return tool_write_file(path, out, err) == 0 ? 1 : 0;
}

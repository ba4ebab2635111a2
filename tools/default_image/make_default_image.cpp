// Writes the embedded default configuration image (34048 bytes): the factory
// settings that start-up shows and Reset writes back to the mouse.
//
//   make_default_image <output file>
//
// The image is built from the tables below, section by section, with every
// checksum computed here, so a change to a default is a one-line edit.

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kImageSize = 34048;
constexpr int kParameterBlockSize = 256;
constexpr int kMacroCount = 32;
constexpr int kNameEntrySize = 32;
constexpr int kMacroBlockSize = 1024;

// An id pair reserved for testing; the program's built-in repair defaults
// carry the same pair.
constexpr std::uint16_t kVendorId = 0x1209;
constexpr std::uint16_t kProductId = 0x0001;

// Byte sum of the data modulo 256, XOR 0x5A, appended after the data.
Bytes withChecksum(Bytes data)
{
    unsigned sum = 0;
    for (std::uint8_t b : data)
        sum += b;
    data.push_back(std::uint8_t((sum & 0xFF) ^ 0x5A));
    return data;
}

Bytes parameterA()
{
    return withChecksum({
        0x00, // not interpreted
        0x3A, // layout code: layout 58
        kVendorId >> 8,
        kVendorId & 0xFF, // vendor id, high byte first
        kProductId >> 8,
        kProductId & 0xFF, // product id, high byte first
        0xFF,
        0xFF,
        0xFF, // not interpreted
        0xE5, // options: breathing bypassed, colour mode 2
        0x03,
        0x05,
        0x09,
        0x0A, // DPI slots 1-4
        0x54,
        0x20,
        0x05,
        0x07, // not interpreted
        0xA0,
        0x28,
        0x0A,
        0x32, // breathing off, raise, on, fall
        0x3C,
        0x0A,
        0x07, // colour 1: red, green, blue (%)
        0x00, // not interpreted
    });
}

Bytes parameterB()
{
    return withChecksum({
        0x02, // current DPI: third selected level
        0x02, // report rate 500 Hz
        0x00, // main profile
        0x03, // light mode
    });
}

Bytes userBreath()
{
    return withChecksum({0x00, 0x00, 0x00}); // colour 2
}

Bytes reservedBlock()
{
    return Bytes(51, 0x00);
}

Bytes idBytes()
{
    return {0xFF, 0xFF};
}

Bytes eftControl()
{
    return withChecksum({0x00, 0x00, 0x00});
}

Bytes code(std::uint32_t value)
{
    return {std::uint8_t(value >> 24), std::uint8_t(value >> 16), std::uint8_t(value >> 8),
            std::uint8_t(value)};
}

Bytes fireKey()
{
    // Fire keys 1-4: repeat 2, delays 16, 32, 48, 64.
    Bytes data;
    for (std::uint32_t c : {0x06120010u, 0x06120020u, 0x06120030u, 0x06120040u}) {
        const Bytes b = code(c);
        data.insert(data.end(), b.begin(), b.end());
    }
    return withChecksum(data);
}

// Button codes 1-12 of each profile.
constexpr std::array<std::uint32_t, 12> kMainProfile = {
    0x01010000, 0x01020000, 0x01040000, 0x09010000, 0x09020000, 0x01100000,
    0x01080000, 0x06120010, 0x02080700, 0x10800000, 0x0C000000, 0x02080700,
};
constexpr std::array<std::uint32_t, 12> kSwitchAndFixedProfile = {
    0x01010000, 0x01020000, 0x01040000, 0x09000000, 0x01080000, 0x01100000,
    0x06120010, 0x07000000, 0x0E000000, 0x03022300, 0x0C000000, 0x02080700,
};

Bytes profile()
{
    Bytes data;
    for (const auto *codes : {&kMainProfile, &kSwitchAndFixedProfile, &kSwitchAndFixedProfile}) {
        for (std::uint32_t c : *codes) {
            const Bytes b = code(c);
            data.insert(data.end(), b.begin(), b.end());
        }
    }
    return withChecksum(data);
}

// The parameter block in layout 58, sections in address order.
Bytes parameterBlock()
{
    Bytes block;
    for (const Bytes &section : {parameterA(), parameterB(), userBreath(), reservedBlock(),
                                 idBytes(), eftControl(), fireKey(), profile()})
        block.insert(block.end(), section.begin(), section.end());
    block.push_back(0xFF); // byte 255 belongs to no section
    return block;
}

// Entry i: empty macro (length 0), the name "macro<i>" as UTF-16 big-endian
// with its byte count in byte 3, zeros after the name.
Bytes nameTable()
{
    Bytes table;
    for (int i = 0; i < kMacroCount; ++i) {
        const std::string name = "macro" + std::to_string(i);
        Bytes entry(kNameEntrySize, 0x00);
        entry[3] = std::uint8_t(2 * name.size());
        for (std::size_t c = 0; c < name.size(); ++c)
            entry[4 + 2 * c + 1] = std::uint8_t(name[c]);
        table.insert(table.end(), entry.begin(), entry.end());
    }
    return table;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }

    Bytes image = parameterBlock();
    const Bytes names = nameTable();
    image.insert(image.end(), names.begin(), names.end());
    image.resize(kImageSize, 0xFF); // 32 empty macro blocks

    if (int(image.size()) != kImageSize || parameterBlock().size() != kParameterBlockSize ||
        int(names.size()) != kMacroCount * kNameEntrySize) {
        std::fprintf(stderr, "default image has the wrong size\n");
        return 1;
    }
    static_assert(kParameterBlockSize + kMacroCount * kNameEntrySize +
                      kMacroCount * kMacroBlockSize ==
                  kImageSize);

    std::FILE *out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(image.data(), 1, image.size(), out) == image.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "%s: write failed\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}

#include "device/report_descriptor.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {
// Item tags (HID 1.11, 6.2.2), with the size bits masked off.
constexpr quint8 kMainFeature = 0xB0;
constexpr quint8 kGlobalReportSize = 0x74;
constexpr quint8 kGlobalReportId = 0x84;
constexpr quint8 kGlobalReportCount = 0x94;
constexpr quint8 kGlobalPush = 0xA4;
constexpr quint8 kGlobalPop = 0xB4;
constexpr quint8 kLongItem = 0xFE;

// Keeps sums far away from overflow; no real report comes near it.
constexpr quint64 kBitLimit = quint64(1) << 40;
constexpr int kStackDepth = 16;

struct Globals
{
    quint32 reportSize = 0;
    quint32 reportCount = 0;
    quint32 reportId = 0;
};
} // namespace

std::optional<int> featureReportByteLength(std::span<const quint8> descriptor)
{
    std::array<quint64, 256> featureBits{};
    std::array<Globals, kStackDepth> stack{};
    int depth = 0;
    Globals globals;
    bool usesReportIds = false;

    size_t pos = 0;
    const size_t end = descriptor.size();
    while (pos < end) {
        const quint8 prefix = descriptor[pos++];
        if (prefix == kLongItem) {
            // Long items carry vendor data only; skip them whole.
            if (end - pos < 2)
                return std::nullopt;
            const size_t dataSize = descriptor[pos];
            pos += 2;
            if (end - pos < dataSize)
                return std::nullopt;
            pos += dataSize;
            continue;
        }
        const size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (end - pos < size)
            return std::nullopt;
        quint32 value = 0;
        for (size_t i = 0; i < size; ++i)
            value |= quint32(descriptor[pos + i]) << (8 * i);
        pos += size;

        switch (prefix & 0xFC) {
        case kGlobalReportSize:
            globals.reportSize = value;
            break;
        case kGlobalReportCount:
            globals.reportCount = value;
            break;
        case kGlobalReportId:
            if (value == 0 || value > 255)
                return std::nullopt; // report id 0 is reserved
            globals.reportId = value;
            usesReportIds = true;
            break;
        case kGlobalPush:
            if (depth == kStackDepth)
                return std::nullopt;
            stack[depth++] = globals;
            break;
        case kGlobalPop:
            if (depth == 0)
                return std::nullopt;
            globals = stack[--depth];
            break;
        case kMainFeature: {
            quint64 &bits = featureBits[globals.reportId];
            const quint64 added =
                std::min(kBitLimit, quint64(globals.reportSize) * globals.reportCount);
            bits = std::min(kBitLimit, bits + added);
            break;
        }
        default:
            break;
        }
    }

    quint64 longest = 0;
    for (quint64 bits : featureBits)
        longest = std::max(longest, bits);
    if (longest == 0)
        return 0;
    const quint64 bytes = (longest + 7) / 8 + (usesReportIds ? 1 : 0);
    if (bytes > quint64(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(bytes);
}

#include "image/section_checks.h"

#include "settings/setting_declarations.h"

#include <algorithm>
#include <array>

quint8 sectionChecksumOf(QByteArrayView section, int n)
{
    const qsizetype end = std::clamp<qsizetype>(n, 0, section.size());
    unsigned sum = 0;
    for (qsizetype i = 0; i < end; ++i)
        sum += quint8(section[i]);
    return quint8((sum & 0xFFu) ^ 0x5Au);
}

void SectionChecksum(QByteArray &section, int n)
{
    if (n < 0)
        return;
    if (section.size() <= n)
        section.resize(n + 1, '\0');
    section[n] = char(sectionChecksumOf(section, n));
}

bool sectionChecksumValid(QByteArrayView section, int n)
{
    return n >= 0 && n < section.size() && quint8(section[n]) == sectionChecksumOf(section, n);
}

namespace {

bool isKnownLayout(int layoutCode)
{
    return layoutCode == 42 || layoutCode == 58;
}

QByteArray withChecksum(std::initializer_list<quint8> data)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(data.size()) + 1);
    for (quint8 b : data)
        bytes.append(char(b));
    SectionChecksum(bytes, int(data.size()));
    return bytes;
}

// The twelve button codes every profile gets on repair, buttons 1-12.
constexpr std::array<std::array<quint8, 4>, settings::kButtonsPerProfile> kRepairButtonCodes = {{
    {0x01, 0x01, 0x00, 0x00},
    {0x01, 0x02, 0x00, 0x00},
    {0x01, 0x04, 0x00, 0x00},
    {0x09, 0x00, 0x00, 0x00},
    {0x01, 0x08, 0x00, 0x00},
    {0x01, 0x10, 0x00, 0x00},
    {0x06, 0x12, 0x00, 0x10},
    {0x07, 0x00, 0x00, 0x00},
    {0x0E, 0x00, 0x00, 0x00},
    {0x03, 0x02, 0x23, 0x00},
    {0x0C, 0x00, 0x00, 0x00},
    {0x02, 0x08, 0x07, 0x00},
}};

// Shared by the three single-section validators.
void checkSection(QByteArray &section, int length, int dataBytes, int deviceLayoutCode,
                  QByteArray (*repairDefault)(int))
{
    if (section.size() != length)
        section.resize(length, '\0');
    if (sectionChecksumValid(section, dataBytes))
        return;
    if (isKnownLayout(deviceLayoutCode))
        section = repairDefault(deviceLayoutCode);
    SectionChecksum(section, dataBytes);
}

} // namespace

QByteArray repairParameterA(int layoutCode)
{
    const quint8 layoutByte = layoutCode == 42 ? 0x1D : 0x3A;
    return withChecksum({0x00,
                         layoutByte,
                         quint8(kBuiltInVendorId >> 8),
                         quint8(kBuiltInVendorId & 0xFF),
                         quint8(kBuiltInProductId >> 8),
                         quint8(kBuiltInProductId & 0xFF),
                         0xFF,
                         0xFF,
                         0xFF,
                         0xFF,
                         0x03,
                         0x05,
                         0x06,
                         0x08,
                         0x54,
                         0x20,
                         0x05,
                         0x80,
                         0xA0,
                         0x28,
                         0x0A,
                         0x32,
                         0x3C,
                         0x0A,
                         0x07,
                         0x00});
}

QByteArray repairParameterB()
{
    return withChecksum({0x01, 0x02, 0x00, 0x04});
}

QByteArray repairFireKey()
{
    return withChecksum({0x06, 0x12, 0x00, 0x10, 0x06, 0x12, 0x00, 0x20, 0x06, 0x12, 0x00, 0x30,
                         0x06, 0x12, 0x00, 0x40});
}

QByteArray repairProfile()
{
    QByteArray profile(SectionRecords::kProfileLength, char(0xFF));
    constexpr int kProfileBytes = kProfileDataBytes / settings::kProfileCount;
    for (int p = 0; p < settings::kProfileCount; ++p)
        for (int b = 0; b < settings::kButtonsPerProfile; ++b)
            for (int i = 0; i < 4; ++i)
                profile[kProfileBytes * p + 4 * b + i] = char(kRepairButtonCodes[b][i]);
    SectionChecksum(profile, kProfileDataBytes);
    return profile;
}

void CheckParameterASection(SectionRecords &s, int deviceLayoutCode)
{
    checkSection(s.ParameterA, SectionRecords::kParameterALength, kParameterADataBytes,
                 deviceLayoutCode, &repairParameterA);
}

void CheckParameterBSection(SectionRecords &s, int deviceLayoutCode)
{
    if (s.ParameterA.size() != SectionRecords::kParameterALength)
        s.ParameterA.resize(SectionRecords::kParameterALength, '\0');
    if (s.ParameterB.size() != SectionRecords::kParameterBLength)
        s.ParameterB.resize(SectionRecords::kParameterBLength, '\0');
    if (sectionChecksumValid(s.ParameterB, kParameterBDataBytes))
        return;
    if (isKnownLayout(deviceLayoutCode)) {
        // The two sections are one setting set on the mouse: a broken
        // ParameterB takes ParameterA back to the defaults as well.
        s.ParameterA = repairParameterA(deviceLayoutCode);
        s.ParameterB = repairParameterB();
    }
    SectionChecksum(s.ParameterA, kParameterADataBytes);
    SectionChecksum(s.ParameterB, kParameterBDataBytes);
}

void CheckFireKeySection(SectionRecords &s, int deviceLayoutCode)
{
    checkSection(s.FireKey, SectionRecords::kFireKeyLength, kFireKeyDataBytes, deviceLayoutCode,
                 [](int) { return repairFireKey(); });
}

void CheckProfileSection(SectionRecords &s, int deviceLayoutCode)
{
    checkSection(s.Profile, SectionRecords::kProfileLength, kProfileDataBytes, deviceLayoutCode,
                 [](int) { return repairProfile(); });
}

#include "backup/backup_image.h"

#include "records/image_buffers.h"
#include "records/section_records.h"
#include "image/image_layout.h"

#include <QStringList>

#include <array>
#include <optional>

namespace {

enum class Area
{
    Ids,
    DpiLevels,
    CurrentDpi,
    ReportRate,
    Profile,
    Light,
    FireKeys,
    Buttons,
    Other,
    Checksum, // follows its data, never named
};
constexpr int kNamedAreas = int(Area::Checksum);
constexpr std::array<const char *, kNamedAreas> kAreaNames = {
    "mouse ids", "DPI levels", "current DPI", "report rate", "profile",
    "light",     "fire keys",  "buttons",     "other bytes"};
// A listing line stays short: further changed macros are only counted.
constexpr int kMacrosNamed = 5;

Area movingArea(int offset, const LayoutAreas &areas)
{
    const int breath = offset - areas.userBreath;
    if (breath >= 0 && breath < SectionRecords::kUserBreathLength)
        return breath == SectionRecords::kUserBreathLength - 1 ? Area::Checksum : Area::Light;
    const int id = offset - areas.idBytes;
    if (id >= 0 && id < SectionRecords::kIdBytesLength)
        return Area::Ids;
    if (offset == areas.eftControl + SectionRecords::kEFTControlLength - 1)
        return Area::Checksum;
    return Area::Other;
}

Area areaOf(int offset, const std::optional<LayoutAreas> &areas)
{
    constexpr int kFireKeyEnd = kFireKeyOffset + SectionRecords::kFireKeyLength - 1;
    constexpr int kProfileEnd = kProfileOffset + SectionRecords::kProfileLength - 1;
    if (offset >= 1 && offset <= 5)
        return Area::Ids;
    if (offset >= 10 && offset <= 13)
        return Area::DpiLevels;
    if (offset == 9 || (offset >= 18 && offset <= 24) || offset == kParameterBOffset + 3)
        return Area::Light;
    if (offset == kParameterBOffset)
        return Area::CurrentDpi;
    if (offset == kParameterBOffset + 1)
        return Area::ReportRate;
    if (offset == kParameterBOffset + 2)
        return Area::Profile;
    if (offset == SectionRecords::kParameterALength - 1 || offset == kParameterBOffset + 4 ||
        offset == kFireKeyEnd || offset == kProfileEnd)
        return Area::Checksum;
    if (offset >= kFireKeyOffset && offset < kFireKeyEnd)
        return Area::FireKeys;
    if (offset >= kProfileOffset && offset < kProfileEnd)
        return Area::Buttons;
    if (areas && offset >= kParameterBOffset + SectionRecords::kParameterBLength &&
        offset < kFireKeyOffset)
        return movingArea(offset, *areas);
    return Area::Other;
}

QByteArray exact(const QByteArray &image)
{
    return image.left(kImageSize).leftJustified(kImageSize, char(0xFF));
}

} // namespace

QByteArray withOwnAreas(QByteArray image, const QByteArray &parameterB,
                        const QByteArray &userBreath, int layoutCode)
{
    image = exact(image);
    QByteArray block = image.left(kParameterBlockSize);
    copyToBlock(parameterB.left(SectionRecords::kParameterBLength), kParameterBOffset, block);
    if (const std::optional<LayoutAreas> areas = layoutAreas(layoutCode))
        copyToBlock(userBreath.left(SectionRecords::kUserBreathLength), areas->userBreath, block);
    return image.replace(0, kParameterBlockSize, block);
}

QByteArray parameterBOf(const QByteArray &image)
{
    return exact(image).mid(kParameterBOffset, SectionRecords::kParameterBLength);
}

QByteArray userBreathOf(const QByteArray &image, int layoutCode)
{
    const std::optional<LayoutAreas> areas = layoutAreas(layoutCode);
    if (!areas)
        return {};
    return exact(image).mid(areas->userBreath, SectionRecords::kUserBreathLength);
}

QString describeImageChanges(const QByteArray &older, const QByteArray &newer)
{
    const QByteArray a = exact(older);
    const QByteArray b = exact(newer);
    std::array<bool, kNamedAreas> changed{};
    const auto areas = layoutAreas(layoutCodeFromByte(quint8(b.at(kLayoutByteOffset))));
    for (int offset = 0; offset < kParameterBlockSize; ++offset) {
        const Area area = areaOf(offset, areas);
        if (a.at(offset) != b.at(offset) && area != Area::Checksum)
            changed[size_t(area)] = true;
    }
    QStringList parts;
    for (int area = 0; area < kNamedAreas; ++area) {
        if (changed[size_t(area)])
            parts.append(QString::fromLatin1(kAreaNames[size_t(area)]));
    }
    if (a.mid(kParameterBlockSize, kMacroNameTableSize) !=
        b.mid(kParameterBlockSize, kMacroNameTableSize))
        parts.append(QStringLiteral("macro names"));

    QStringList macros;
    int unnamed = 0;
    constexpr int kBlocksAt = kParameterBlockSize + kMacroNameTableSize;
    for (int slot = 0; slot < kMacroCount; ++slot) {
        const qsizetype at = kBlocksAt + qsizetype(slot) * kMacroBlockSize;
        if (a.mid(at, kMacroBlockSize) == b.mid(at, kMacroBlockSize))
            continue;
        if (macros.size() < kMacrosNamed)
            macros.append(QString::number(slot));
        else
            ++unnamed;
    }
    if (!macros.isEmpty()) {
        QString text = (macros.size() == 1 && unnamed == 0 ? QStringLiteral("macro ")
                                                           : QStringLiteral("macros ")) +
                       macros.join(QStringLiteral(", "));
        if (unnamed > 0)
            text += QStringLiteral(" and %1 more").arg(unnamed);
        parts.append(text);
    }
    return parts.isEmpty() ? QStringLiteral("no change") : parts.join(QStringLiteral(", "));
}

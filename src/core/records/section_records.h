#pragma once

#include <QByteArray>

// The sectioned form of the parameter block: one byte array per area, each
// exactly as long as the area (checksum byte included). The pages read and
// write only these; the raw DataBuf is stale between loads and assemblies.
struct SectionRecords
{
    static constexpr int kParameterALength = 27;
    static constexpr int kParameterBLength = 5;
    static constexpr int kUserBreathLength = 4;
    static constexpr int kReservedBlockLength = 51;
    static constexpr int kIdBytesLength = 2;
    static constexpr int kEFTControlLength = 4;
    static constexpr int kFireKeyLength = 17;
    static constexpr int kProfileLength = 145;

    QByteArray ParameterA = QByteArray(kParameterALength, '\0');
    QByteArray ParameterB = QByteArray(kParameterBLength, '\0');
    QByteArray UserBreath = QByteArray(kUserBreathLength, '\0');
    QByteArray ReservedBlock = QByteArray(kReservedBlockLength, '\0');
    QByteArray IdBytes = QByteArray(kIdBytesLength, '\0');
    QByteArray EFTControl = QByteArray(kEFTControlLength, '\0');
    QByteArray FireKey = QByteArray(kFireKeyLength, '\0');
    QByteArray Profile = QByteArray(kProfileLength, '\0');
};

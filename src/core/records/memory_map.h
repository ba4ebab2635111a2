#pragma once

#include <QtGlobal>

// Where the parts of the configuration image live in the mouse's memory.
namespace memory_map {
inline constexpr quint16 kParameterAddress = 0x6000;
inline constexpr quint16 kNameTableAddress = 0x6400;
inline constexpr quint16 kParameterBAddress = 0x7000;
inline constexpr quint16 kUserBreathAddress = 0x7005;
// Macro n (0-31) at kMacroAddress + n * kMacroStride.
inline constexpr quint16 kMacroAddress = 0x8000;
inline constexpr quint16 kMacroStride = 0x400;
} // namespace memory_map

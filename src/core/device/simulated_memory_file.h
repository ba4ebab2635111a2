#pragma once

#include <QString>

class SimulatedFirmware;

// The simulated mouse's memory kept in a file between runs (--sim-state):
// exactly the 65536 bytes, nothing around them.
namespace SimulatedMemoryFile {
// False, with the memory untouched, when the file is missing or of another size.
bool load(const QString &path, SimulatedFirmware &firmware);
bool save(const QString &path, const SimulatedFirmware &firmware);
} // namespace SimulatedMemoryFile

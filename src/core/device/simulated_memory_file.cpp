#include "device/simulated_memory_file.h"

#include "device/simulated_firmware.h"

#include <QFile>
#include <QSaveFile>

namespace SimulatedMemoryFile {

bool load(const QString &path, SimulatedFirmware &firmware)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != SimulatedFirmware::kMemorySize)
        return false;
    return firmware.setMemory(file.read(SimulatedFirmware::kMemorySize + 1));
}

bool save(const QString &path, const SimulatedFirmware &firmware)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(firmware.memoryBytes()) != SimulatedFirmware::kMemorySize)
        return false;
    return file.commit();
}

} // namespace SimulatedMemoryFile

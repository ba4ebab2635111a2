// A HID report descriptor from the fuzz input through the feature-length
// parser. The bytes come from whatever device is plugged in, so the walk
// must stay inside them, never overflow, and give a sane length or none.

#include "fuzz_support.h"

#include "device/report_descriptor.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<quint8> descriptor(data, data + size); // exact size for ASan
    const std::optional<int> length = featureReportByteLength(descriptor);
    if (length)
        FUZZ_CHECK(*length >= 0);

    // The same bytes must give the same answer (no hidden state).
    FUZZ_CHECK(featureReportByteLength(descriptor) == length);
    return 0;
}

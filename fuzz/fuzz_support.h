#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a sanitizer report: say which and
// abort, so libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Takes bytes from the front of the fuzz input; once it is used up every
// read gives 0, so a short input is still a complete test case.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool boolean() { return (byte() & 1) != 0; }
    size_t remaining() const { return m_size - m_pos; }
    // Up to `count` bytes, fewer where the input ends.
    QByteArrayView bytes(size_t count)
    {
        const size_t n = count < remaining() ? count : remaining();
        QByteArrayView view(reinterpret_cast<const char *>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return view;
    }
    QByteArrayView rest() { return bytes(remaining()); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

#pragma once

// Bit helpers for option and modifier bytes. A bit number outside 0..31 names
// no bit: TestBit gives false and the setters return the value unchanged, so a
// bad index from a table can never shift past the width of the value.
constexpr bool TestBit(unsigned value, int n)
{
    return n >= 0 && n < 32 && ((value >> n) & 1u) != 0;
}

constexpr unsigned SetBit(unsigned value, int n)
{
    return (n >= 0 && n < 32) ? (value | (1u << n)) : value;
}

constexpr unsigned ClearBit(unsigned value, int n)
{
    return (n >= 0 && n < 32) ? (value & ~(1u << n)) : value;
}

#pragma once

#include <QtGlobal>

#include <optional>
#include <span>

// Feature report byte length of a HID report descriptor, counted the way the
// Windows capabilities call does: the longest feature report in whole bytes,
// plus one byte for the report id when the descriptor numbers its reports.
// 0 when the descriptor declares no feature report.
//
// The bytes come straight from the device, so this is a pure, bounded walk:
// nothing is read past the end, and a descriptor that ends inside an item or
// misuses Push/Pop gives nullopt.
std::optional<int> featureReportByteLength(std::span<const quint8> descriptor);

#pragma once

#include "records/app_state.h"

#include <QByteArray>
#include <QByteArrayView>

// The bytes of a parameter block by which this program finds and recognises
// a mouse: the layout byte, the vendor and product id bytes of ParameterA and
// the two identification bytes. A block written with foreign values there
// (from any profile file) would leave the mouse unreachable for every later
// search, so a write always carries the mouse's own.
//
// Copies those bytes from `mouseBlock` (the block as read from the mouse)
// into `block` for the mouse's layout (42 or 58) and recomputes ParameterA's
// checksum. Blocks shorter than a parameter block, or an unknown layout, are
// left alone as far as they are not reached.
void keepMouseIdentity(QByteArray &block, QByteArrayView mouseBlock, int deviceLayoutCode);

// True when `block` holds, where the identification of `state`'s mouse read
// them, the two identification bytes the mouse answered it with. The mouse's
// replies carry no check of their own: a parameter block without them was
// garbled on the way in, and one written without them would fail every
// later identification. False while no mouse is identified.
bool carriesIdentifiedBytes(QByteArrayView block, const AppState &state);

// A parameter block read twice is trusted only when both reads agree and
// the block carries the identified bytes.
bool consistentParameterReads(QByteArrayView first, QByteArrayView second, const AppState &state);

#pragma once
// A board is the main window's two signs; a vehicle adds up to three more
// faces of two signs each. Every sign of the program has one index:
// face f's n-th sign (n = 0, 1) is sign f * kSignCount + n, so the main
// window's signs keep their indices 0 and 1.
#include "layout/Layout.h"

namespace rovenza {

constexpr int kMaxFaces = 4;
constexpr int kAllSigns = kMaxFaces * kSignCount;

constexpr bool validAnySign(int sign) { return sign >= 0 && sign < kAllSigns; }
constexpr int faceOfSign(int sign) { return sign / kSignCount; }
constexpr int signInFace(int sign) { return sign % kSignCount; }
constexpr int signOfFace(int face, int n) { return face * kSignCount + n; }

}  // namespace rovenza

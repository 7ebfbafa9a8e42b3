// Enumerations shared by the skin's settings: the built-in frame looks and the
// rounded corners of a window's shape.
#pragma once

enum TxpWindowStyle { xwsCustom, xwsXPBlue, xwsXPSilver, xwsXPOlive, xwsMSN, xwsICQ };

enum TRoundedCorner { rcTopLeft, rcTopRight, rcBottomLeft, rcBottomRight };
// A set of TRoundedCorner: bit (1 << corner).
using TRoundedCorners = int;
constexpr TRoundedCorners RoundedCornerBit(TRoundedCorner c) { return 1 << c; }
constexpr TRoundedCorners kAllRoundedCorners = 0xF;
constexpr bool HasCorner(TRoundedCorners set, TRoundedCorner c) { return (set & RoundedCornerBit(c)) != 0; }
constexpr bool HasBottomCorner(TRoundedCorners set) {
  return HasCorner(set, rcBottomLeft) || HasCorner(set, rcBottomRight);
}
constexpr bool HasTopCorner(TRoundedCorners set) { return HasCorner(set, rcTopLeft) || HasCorner(set, rcTopRight); }

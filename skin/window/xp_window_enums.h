// Enumerations of the frame skin component: the screen edges a window snaps to, the
// placement of a caption image, a caption button's state and the client background.
#pragma once

enum TDockBorder { dbLeft, dbRight, dbTop, dbBottom };
// A set of TDockBorder: bit (1 << border).
using TDockBorders = int;
constexpr TDockBorders kAllDockBorders = 0xF;
constexpr bool HasBorder(TDockBorders set, TDockBorder b) { return (set & (1 << b)) != 0; }

enum TgbImageAlign { iaLeft, iaRight, iaCenter, iaStretch, iaTile };

enum TTitleButtonState { tbsNormal, tbsActive, tbsDowned, tbsDisabled };

enum TwgbStyle { wbgNone, wbgGradient, wbgTiled, wbgStretched };

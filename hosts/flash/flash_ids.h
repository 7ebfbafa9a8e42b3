#pragma once
// Dispatch identifiers of the movie player's automation members and events, shared by
// the host control and the built-in component.
#include <windows.h>

namespace hosts::flash {

// Members.
inline constexpr DISPID kDispMovie = 102;         // property, wide string: the movie address
inline constexpr DISPID kDispPlay = 112;          // method
inline constexpr DISPID kDispStop = 113;          // method
inline constexpr DISPID kDispBack = 114;          // method: previous frame
inline constexpr DISPID kDispForward = 115;       // method: next frame
inline constexpr DISPID kDispRewind = 116;        // method: first frame
inline constexpr DISPID kDispZoom = 118;          // method(percent): < 100 in, > 100 out, 0 show all
inline constexpr DISPID kDispLoop = 106;          // property, boolean
inline constexpr DISPID kDispPlaying = 125;       // property, boolean
inline constexpr DISPID kDispQuality = 105;       // property, string "Low" | "Medium" | "High"
inline constexpr DISPID kDispMenu = 134;          // property, boolean: the right-click menu
inline constexpr DISPID kDispPercentLoaded = 127; // property (read-only), 0..100
inline constexpr DISPID kDispFrameNum = 107;      // property (read-only), current frame from 0
inline constexpr DISPID kDispTotalFrames = 124;   // property (read-only)
inline constexpr DISPID kDispReadyState = -525;   // property (read-only): 0 loading .. 4 complete

// Events.
inline constexpr DISPID kEventProgress = 1958;    // (percent done)
inline constexpr DISPID kEventFSCommand = 150;    // (command, arguments)
inline constexpr DISPID kEventFlashCall = 197;    // (request)

}  // namespace hosts::flash

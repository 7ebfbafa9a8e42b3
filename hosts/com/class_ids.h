#pragma once
// Class identifiers of the two components the main window embeds.
#include <windows.h>

namespace hosts::com {

// {D27CDB6E-AE6D-11CF-96B8-444553540000}: the movie player.
inline constexpr CLSID kMoviePlayerClsid = {
    0xd27cdb6e, 0xae6d, 0x11cf, {0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {8856F961-340A-11D0-A96B-00C04FD705A2}: the web page component.
inline constexpr CLSID kWebPageClsid = {
    0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};

}  // namespace hosts::com

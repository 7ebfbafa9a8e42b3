#pragma once
// The site address module: the education channel's address, read once at start from
// "web.dat" in the working directory.
#include <string>

// Empty until LoadSiteAddresses fills it; read by the channel command.
extern std::string ChannelAddress;

// Reads "web.dat", opened for reading only and shared with readers but not writers
// (ReadOnlyFile); with exactly three lines, ChannelAddress becomes MirrorText of line 1.
// Every failure (missing file, unreadable, too large) is swallowed and leaves it as it was.
void LoadSiteAddresses();

// Empties ChannelAddress: the module's shutdown.
void ReleaseSiteAddresses();

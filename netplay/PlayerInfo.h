#pragma once
// The player details that travel to the opponent: built from the local player's own record of
// players.dat just before they are sent, and shown on the opponent panel when they arrive.
#include "netplay/wire/Records.h"

namespace netplay {

// The local player's details: the first record of players.dat whose trimmed name equals the
// trimmed UserName, read through PlayerRec. When no record matches (or there is no file) the
// details are UserName, UserLocation and zero counters: never another player's record.
wire::PlayerInfoBlock ownPlayerInfo();

// The opponent's details on the main window's panel, in this order: location (Label8), name
// (Label7), played (Label9), won (Label10), lost (Label11), tied (Label12). A field that could
// not be read leaves its caption empty.
void showOpponentInfo(const wire::PlayerInfoRead& info);

} // namespace netplay

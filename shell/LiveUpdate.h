#pragma once
// "Check For Updates": asks the game server whether this version is the current one and, when it
// is not, offers to start the updater "tsrupdate.exe" and end the game.
namespace shell {

// Before the updater takes over, a running Internet game or an own waiting-room entry is settled
// through the Internet leave questions; a "No" there keeps the game and leaves the updater
// unstarted.
void RunUpdateCheck();

} // namespace shell

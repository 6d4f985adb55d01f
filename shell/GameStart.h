#pragma once
// Starting a game from the menu strip or its toolbar, and the Exit command. Each first settles a
// running Internet game or an own waiting-room entry (ConfirmLeaveInternet).
namespace shell {

void mnuplaycomputer_Click();   // a game against the computer, started at once
void mnuplayinet_Click();       // the Internet waiting room
void mnuplaylan_Click();        // the LAN set-up
void mnuexit_Click();           // ends the program after the Internet questions

// The opponent panel's location line for the computer.
inline constexpr const char* ComputerLocation = "Silicon Valley";

} // namespace shell

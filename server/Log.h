#pragma once
// One line per event on standard error, whole lines even when several threads write.
#include <string>

namespace server {

void logLine(const std::string& line);
// Refused requests are counted; past a few hundred a second they are summed up instead of listed,
// so a flood of bad requests cannot fill the disk of whoever keeps the log.
void logRefused(const std::string& what);
// Switches logging off (tests that drive hostile traffic through the service keep quiet).
void setLogQuiet(bool quiet);

} // namespace server

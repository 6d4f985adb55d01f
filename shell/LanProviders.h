#pragma once
// The installed DirectPlay service providers as the network library lists them: its global
// object is created by class name and asked late-bound for its providers' friendly names.
#include <string>
#include <vector>

namespace shell {

// Friendly names in the collection's order. Throws std::runtime_error when the library cannot be
// created or asked (not registered, no DirectPlay).
std::vector<std::string> networkLibraryProviders();

} // namespace shell

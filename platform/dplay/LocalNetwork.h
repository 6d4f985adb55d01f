#pragma once
// Where a joiner's question for sessions goes when he names no computer: to the directed
// broadcast address of each network this machine is on. Working out the addresses is kept apart
// from reading the interfaces, so it can be checked without a network.
#include <boost/asio/ip/address_v4.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace platform::dplay {

struct NetworkInterface {
    std::string name;
    boost::asio::ip::address_v4 address;
    boost::asio::ip::address_v4 netmask;
    bool up = false;
    bool broadcast = false; // the interface can broadcast
    bool loopback = false;
};

// The IPv4 interfaces of this machine, one entry per address.
std::vector<NetworkInterface> localInterfaces();

// One directed broadcast address (the address with every host bit set) per interface that is up,
// can broadcast and is not the loopback, in the order given and without repeats.
std::vector<boost::asio::ip::address_v4> directedBroadcasts(const std::vector<NetworkInterface>& interfaces);

// The addresses an answer to the search question names: IPv4 addresses and host names,
// separated by commas or blanks. A name that cannot be resolved names nothing.
std::vector<boost::asio::ip::address_v4> addressesNamed(std::string_view answer);

} // namespace platform::dplay

#include "platform/dplay/LocalNetwork.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <sstream>

namespace platform::dplay {

namespace asio = boost::asio;
using asio::ip::address_v4;

namespace {

address_v4 addressOf(const sockaddr* address)
{
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    return address_v4(ntohl(in->sin_addr.s_addr));
}

void addOnce(std::vector<address_v4>& list, const address_v4& address)
{
    if (std::find(list.begin(), list.end(), address) == list.end())
        list.push_back(address);
}

} // namespace

std::vector<NetworkInterface> localInterfaces()
{
    std::vector<NetworkInterface> interfaces;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return interfaces;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || entry->ifa_netmask == nullptr)
            continue;
        NetworkInterface item;
        item.name = entry->ifa_name != nullptr ? entry->ifa_name : "";
        item.address = addressOf(entry->ifa_addr);
        item.netmask = addressOf(entry->ifa_netmask);
        item.up = (entry->ifa_flags & IFF_UP) != 0;
        item.broadcast = (entry->ifa_flags & IFF_BROADCAST) != 0;
        item.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        interfaces.push_back(item);
    }
    ::freeifaddrs(list);
    return interfaces;
}

std::vector<address_v4> directedBroadcasts(const std::vector<NetworkInterface>& interfaces)
{
    std::vector<address_v4> addresses;
    for (const NetworkInterface& item : interfaces) {
        if (!item.up || !item.broadcast || item.loopback)
            continue;
        addOnce(addresses, address_v4(item.address.to_uint() | ~item.netmask.to_uint()));
    }
    return addresses;
}

std::vector<address_v4> addressesNamed(std::string_view answer)
{
    std::string list(answer);
    std::replace(list.begin(), list.end(), ',', ' ');
    std::istringstream words(list);
    std::vector<address_v4> addresses;
    std::string word;
    while (words >> word) {
        boost::system::error_code error;
        const auto literal = asio::ip::make_address_v4(word, error);
        if (!error) {
            addOnce(addresses, literal);
            continue;
        }
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(word.c_str(), nullptr, &hints, &found) != 0)
            continue;
        for (const addrinfo* a = found; a != nullptr; a = a->ai_next)
            if (a->ai_family == AF_INET)
                addOnce(addresses, addressOf(a->ai_addr));
        ::freeaddrinfo(found);
    }
    return addresses;
}

} // namespace platform::dplay

#include "shell/LanProviders.h"

#include "netplay/LanObjects.h"

namespace shell {

std::vector<std::string> networkLibraryProviders() {
    using netplay::readObject;
    const auto global = netplay::createGlobal();
    const auto collection = readObject(global.get(), u"DirectPlayEnumerate");
    const std::int32_t count = netplay::readNumber(collection.get(), u"Count");

    std::vector<std::string> names;
    for (platform::com::LONG i = 0; i < count; ++i)
        names.push_back(netplay::readText(readObject(collection.get(), u"Item", &i).get(), u"FriendlyName"));
    return names;
}

} // namespace shell

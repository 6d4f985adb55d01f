// tessarine-typelib: prints a type library as a listing.
//
//   tessarine-typelib ProgID | {library GUID} | library file
#include "tools/typelib/TypeLibListing.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tessarine-typelib ProgID | {library GUID} | library file\n";
        return 2;
    }
    platform::com::ITypeLib* library = nullptr;
    std::string message;
    const platform::com::HRESULT hr = typelib::loadNamedTypeLib(argv[1], &library, message);
    if (platform::com::FAILED(hr)) {
        std::fprintf(stderr, "tessarine-typelib: %s (0x%08x)\n", message.c_str(), static_cast<unsigned>(hr));
        return 1;
    }
    const bool written = typelib::writeListing(*library, std::cout);
    library->Release();
    return written ? 0 : 1;
}

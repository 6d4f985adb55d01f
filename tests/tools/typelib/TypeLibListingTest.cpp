// tessarine-typelib over our own library. The expected listing is written from the library's
// documented tables (classes, interfaces with every member's dispatch id, help context and
// types, the constant modules), so a member that drifts shows up as its own line.
#include "tools/typelib/TypeLibListing.h"

#include "platform/com/Activation.h"
#include "tests/support/ComHelpers.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace platform::com;
using testing_support::ScopedRegistry;

namespace {

const std::string kLibrary = KVDPLAY_LIBRARY;

std::vector<std::string> lines(std::istream& in)
{
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

std::vector<std::string> listing(const std::string& what)
{
    ITypeLib* library = nullptr;
    std::string message;
    EXPECT_EQ(typelib::loadNamedTypeLib(what, &library, message), S_OK) << message;
    if (!library)
        return {};
    std::stringstream out;
    EXPECT_TRUE(typelib::writeListing(*library, out));
    library->Release();
    return lines(out);
}

struct Registered {
    ScopedRegistry scope;
    Registered() { EXPECT_EQ(registerServer(kLibrary, false), S_OK); }
};

} // namespace

TEST(TypeLibListing, EveryClassInterfaceMemberAndConstantIsAsDocumented)
{
    Registered registered;
    std::ifstream file(EXPECTED_LISTING);
    const std::vector<std::string> expected = lines(file);
    ASSERT_GT(expected.size(), 200u);
    const std::vector<std::string> got = listing("kvDPLAY.kvDirectPlayGlobal");
    for (std::size_t i = 0; i < std::max(expected.size(), got.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "(missing)", i < expected.size() ? expected[i] : "(extra)")
            << "line " << i + 1;
}

TEST(TypeLibListing, ProgIdLibraryGuidAndFileNameTheSameLibrary)
{
    Registered registered;
    const std::vector<std::string> byObject = listing("kvDPLAY.kvDirectPlayGlobal");
    ASSERT_FALSE(byObject.empty());
    EXPECT_EQ(listing("kvPlay.kvPlay"), byObject); // through the control's TypeLib entry
    EXPECT_EQ(listing("{D47166DC-C606-4A6E-9A8A-D1499153666D}"), byObject);
    EXPECT_EQ(listing("d47166dc-c606-4a6e-9a8a-d1499153666d"), byObject);
    EXPECT_EQ(listing(kLibrary), byObject);
}

TEST(TypeLibListing, WhatCannotBeFoundIsSaid)
{
    ScopedRegistry empty;
    ITypeLib* library = nullptr;
    std::string message;
    EXPECT_EQ(typelib::loadNamedTypeLib("{D47166DC-C606-4A6E-9A8A-D1499153666D}", &library, message),
              TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(message, "no type library {D47166DC-C606-4A6E-9A8A-D1499153666D} is registered");
    EXPECT_TRUE(FAILED(typelib::loadNamedTypeLib("kvDPLAY.kvDirectPlayGlobal", &library, message)));
    EXPECT_EQ(message, "kvDPLAY.kvDirectPlayGlobal is neither a ProgID, a library GUID nor a library file");
    EXPECT_EQ(library, nullptr);
}

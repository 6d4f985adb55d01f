#include "kvdplay/TypeTables.h"

#include "kvdplay/Errors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace kvdplay;

namespace {

const ModuleInfo* module(const char* name)
{
    for (const ModuleInfo& m : typeLibrary().modules)
        if (std::string(m.name) == name)
            return &m;
    return nullptr;
}

} // namespace

TEST(TypeLibrary, IdentityAndHelp)
{
    const TypeLibraryInfo& lib = typeLibrary();
    EXPECT_STREQ(lib.name, "kvDirectPlayLib");
    EXPECT_EQ(lib.majorVersion, 1);
    EXPECT_EQ(lib.minorVersion, 0);
    EXPECT_EQ(lib.lcid, 0x0409u);
    EXPECT_EQ(lib.helpContext, 254u);
    EXPECT_STREQ(lib.helpString, ":-) Brantwick kvDirectPlay Controls");
    EXPECT_EQ(lib.classes.size(), 16u);
}

TEST(TypeLibrary, ErrorConstantsAreErrorNumbers)
{
    const ModuleInfo* m = module("Error_Constants");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->helpContext, 607u);
    const std::pair<const char*, HRESULT> expected[] = {
        {"CLASS_E_NOAGGREGATION", CLASS_E_NOAGGREGATION}, {"CO_E_NOTINITIALIZED", CO_E_NOTINITIALIZED},
        {"E_OUTOFMEMORY", E_OUTOFMEMORY}, {"E_INVALIDARG", E_INVALIDARG}, {"E_NOTIMPL", E_NOTIMPL}, {"E_FAIL", E_FAIL}};
    for (const auto& [name, hr] : expected) {
        bool found = false;
        for (const ConstantInfo& c : m->constants)
            if (std::string(c.name) == name) {
                found = true;
                EXPECT_EQ(static_cast<UINT>(c.value), errorNumber(hr)) << name;
            }
        EXPECT_TRUE(found) << name;
    }
}

TEST(TypeLibrary, DirectPlayErrorConstantsAreResultsWithNames)
{
    const ModuleInfo* m = module("DPERR_Constants");
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(m->constants.size(), 29u);
    EXPECT_STREQ(m->constants[0].name, "DP_OK");
    EXPECT_STREQ(m->constants[1].name, "DPERR_ALREADYINITIALIZED");
    EXPECT_STREQ(m->constants[28].name, "DPERR_USERCANCEL");
    for (std::size_t i = 1; i < m->constants.size(); ++i) {
        const auto name = loadString(errorNumber(m->constants[i].value));
        ASSERT_TRUE(name) << m->constants[i].name;
        EXPECT_EQ(*name, m->constants[i].name);
    }
}

TEST(TypeLibrary, SystemMessageTypesAndTheirModule)
{
    const ModuleInfo* m = module("DPSYS_Constants");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->helpContext, 311u);
    EXPECT_EQ(m->constants.back().value, 18507);
    EXPECT_EQ(typeLibrary().modules.size(), 10u);
}

TEST(TypeLibrary, EveryInterfaceHasOneMemberPerNameAndKind)
{
    for (const InterfaceInfo* info : typeLibrary().interfaces) {
        std::set<std::pair<DISPID, int>> seen;
        for (const MemberInfo& m : info->members)
            EXPECT_TRUE(seen.insert({m.dispid, static_cast<int>(m.kind)}).second) << info->name << "." << m.name;
    }
}

TEST(TypeLibrary, SessionDescriptionPropertiesAreNumberedInRecordOrder)
{
    const InterfaceInfo* info = interfaceInfo(IID_IkvDPSESSIONDESC);
    ASSERT_NE(info, nullptr);
    const char* names[] = {"dwSize", "guidSession", "dwSession", "dwMaxPlayers", "dwCurrentPlayers", "dwFlags",
                           "szSessionName", "szUserField", "dwReserved1", "szPassword", "dwReserved2",
                           "dwUser1", "dwUser2", "dwUser3", "dwUser4"};
    for (const MemberInfo& m : info->members)
        EXPECT_STREQ(m.name, names[m.dispid - 1]);
    EXPECT_EQ(info->members.size(), 29u); // 15 gets, 14 puts
}

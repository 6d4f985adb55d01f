// The providers the profile editor offers: the friendly names of the network library registered
// in the program folder.
#include "shell/LanProviders.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(LanProviders, TheRegisteredLibraryListsItsOneProviderByName) {
    ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 1);
    EXPECT_EQ(shell::networkLibraryProviders(), std::vector<std::string>{"TCP/IP Network"});
}

TEST(LanProviders, NoRegisteredLibraryIsAnError) {
    ::setenv("TESSARINE_PROGRAM_DIR", "/nonexistent-tessarine-folder", 1);
    ::setenv("TESSARINE_REGISTRY", "", 1);
    EXPECT_THROW(shell::networkLibraryProviders(), std::runtime_error);
}

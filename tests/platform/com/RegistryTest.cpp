#include "platform/com/Registry.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using platform::com::Registry;

TEST(RegistryFile, TextRoundTripsAndKeysIgnoreCase)
{
    Registry r;
    r.setValue("A\\B", "", "quote \" and backslash \\");
    r.setValue("A\\B", "Name", "v");
    r.createKey("A\\Empty");
    Registry back;
    ASSERT_TRUE(back.parse(r.text()));
    EXPECT_EQ(back.value("a\\b").value_or("?"), "quote \" and backslash \\");
    EXPECT_EQ(back.value("A\\B", "Name").value_or("?"), "v");
    EXPECT_TRUE(back.hasKey("A\\EMPTY"));
    EXPECT_TRUE(back.removeKey("a"));
    EXPECT_TRUE(back.keys().empty());
}

TEST(RegistryFile, BrokenTextIsRefused)
{
    Registry r;
    EXPECT_FALSE(r.parse("@=\"no key\"\n"));
    EXPECT_FALSE(r.parse("[K]\n@=unquoted\n"));
}

TEST(RegistryFile, SavedFileLoadsBackAndMissingFileIsEmpty)
{
    testing_support::TempDir dir;
    Registry r;
    EXPECT_TRUE(r.load(dir / "none.txt"));
    EXPECT_TRUE(r.keys().empty());
    r.setValue("CLSID\\{X}\\InprocServer32", "ThreadingModel", "Apartment");
    ASSERT_TRUE(r.save(dir / "registry.txt"));
    Registry back;
    ASSERT_TRUE(back.load(dir / "registry.txt"));
    EXPECT_EQ(back.value("clsid\\{x}\\inprocserver32", "ThreadingModel").value_or("?"), "Apartment");
    EXPECT_TRUE(back.hasKey("CLSID\\{X}"));
}

TEST(RegistryFile, RemovingAKeyKeepsItsNeighbours)
{
    Registry r;
    r.setValue("A\\B\\C", "", "1");
    r.setValue("A\\BB", "", "2");
    EXPECT_TRUE(r.removeKey("A\\B"));
    EXPECT_FALSE(r.hasKey("A\\B\\C"));
    EXPECT_EQ(r.value("A\\BB").value_or("?"), "2");
    EXPECT_FALSE(r.removeKey("A\\B"));
}

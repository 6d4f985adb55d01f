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

TEST(RegistryFile, ALibraryBesideTheFileIsWrittenRelativeAndReadBackBesideAMovedCopy)
{
    testing_support::TempDir built;
    testing_support::TempDir moved;
    const std::string folder = built.path().string();
    Registry r;
    r.setValue("CLSID\\{X}\\InprocServer32", "", folder + "/libkvdplay.so");
    r.setValue("CLSID\\{X}\\ToolboxBitmap32", "", folder + "/libkvdplay.so, 102");
    r.setValue("TypeLib\\{L}\\1.0\\HELPDIR", "", folder);
    r.setValue("CLSID\\{Y}\\InprocServer32", "", folder + "/sub/libother.so");
    r.setValue("CLSID\\{Z}\\InprocServer32", "", "/usr/lib/libsystem.so");
    ASSERT_TRUE(r.save(built / "registry.txt"));
    const std::string text = built.read("registry.txt");
    EXPECT_EQ(text.find(folder + "/libkvdplay.so"), std::string::npos);
    EXPECT_NE(text.find("@=\"./libkvdplay.so\""), std::string::npos);

    // Every reader sees full paths: beside the file where it now lies, others as they were.
    moved.write("registry.txt", text);
    Registry back;
    ASSERT_TRUE(back.load(moved / "registry.txt"));
    const std::string there = moved.path().string();
    EXPECT_EQ(back.value("CLSID\\{X}\\InprocServer32").value_or("?"), there + "/libkvdplay.so");
    EXPECT_EQ(back.value("CLSID\\{X}\\ToolboxBitmap32").value_or("?"), there + "/libkvdplay.so, 102");
    EXPECT_EQ(back.value("TypeLib\\{L}\\1.0\\HELPDIR").value_or("?"), there);
    EXPECT_EQ(back.value("CLSID\\{Y}\\InprocServer32").value_or("?"), folder + "/sub/libother.so");
    EXPECT_EQ(back.value("CLSID\\{Z}\\InprocServer32").value_or("?"), "/usr/lib/libsystem.so");
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

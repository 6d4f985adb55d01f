// The resource tool's files: every picture at the size the main window shows it, every sound a
// well-formed short WAV, and the same bytes on every run.
#include "tools/resources/Names.h"
#include "tools/resources/Sounds.h"

#include "tests/support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace tools::resources;
namespace fs = std::filesystem;

namespace {

fs::path programFolder() {
    const char* dir = std::getenv("TESSARINE_PROGRAM_DIR");
    return dir && *dir ? fs::path(dir) : fs::path(TESSARINE_BUILD_PROGRAM_DIR);
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QImage load(const fs::path& path) { return QImage(QString::fromStdString(path.string()), "BMP"); }

std::uint32_t le32(const std::string& s, std::size_t at) {
    return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
           static_cast<std::uint8_t>(s[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}
std::uint16_t le16(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8);
}

struct Wave {
    bool valid = false;
    int channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

// Reads a RIFF WAVE file chunk by chunk, as a player would.
Wave parseWave(const std::string& bytes) {
    Wave w;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return w;
    if (le32(bytes, 4) != bytes.size() - 8) return w;
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = le32(bytes, at + 4);
        if (at + 8 + size > bytes.size()) return w;
        if (id == "fmt ") {
            if (le16(bytes, at + 8) != 1) return w;   // PCM only
            w.channels = le16(bytes, at + 10);
            w.rate = static_cast<int>(le32(bytes, at + 12));
            w.bits = le16(bytes, at + 22);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(le16(bytes, at + 8 + i)));
            w.valid = true;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

} // namespace

TEST(ResourceFiles, BoardsAreWindowSizedAndTheOnlyBitmapsOfTheProgramFolder) {
    ASSERT_FALSE(programFolder().empty());
    for (std::string_view board : BoardFiles) {
        const QImage image = load(programFolder() / board);
        ASSERT_FALSE(image.isNull()) << board;
        EXPECT_EQ(image.width(), 618) << board;
        EXPECT_EQ(image.height(), 449) << board;
    }
    // Every bitmap beside the program is offered as a board: the store keeps to its own folder.
    int bitmaps = 0;
    for (const auto& entry : fs::directory_iterator(programFolder()))
        if (entry.is_regular_file() && entry.path().extension() == ".bmp") ++bitmaps;
    EXPECT_EQ(bitmaps, 8);
}

TEST(ResourceFiles, BoardsEachHaveTheirOwnLook) {
    std::vector<QImage> boards;
    for (std::string_view board : BoardFiles) boards.push_back(load(programFolder() / board));
    for (std::size_t i = 0; i < boards.size(); ++i)
        for (std::size_t j = i + 1; j < boards.size(); ++j)
            EXPECT_NE(boards[i], boards[j]) << BoardFiles[i] << " looks like " << BoardFiles[j];
}

TEST(ResourceFiles, TilesAreThirtyTwoPixelsSquareAndAllDiffer) {
    std::vector<QImage> tiles;
    for (std::string_view set : TileSets)
        for (int letter = 0; letter < 26; ++letter) {
            const QImage tile = load(programFolder() / tileFile(set, letter));
            ASSERT_FALSE(tile.isNull()) << tileFile(set, letter);
            EXPECT_EQ(tile.size(), QSize(32, 32)) << tileFile(set, letter);
            tiles.push_back(tile);
        }
    ASSERT_EQ(tiles.size(), 78u);
    for (std::size_t i = 0; i < tiles.size(); ++i)
        for (std::size_t j = i + 1; j < tiles.size(); ++j) EXPECT_NE(tiles[i], tiles[j]);
}

TEST(ResourceFiles, StorePicturesHaveTheirSizes) {
    for (const PictureSize& picture : StorePictures) {
        const QImage image = load(programFolder() / pictureFile(picture.name));
        ASSERT_FALSE(image.isNull()) << picture.name;
        EXPECT_EQ(image.size(), QSize(picture.width, picture.height)) << picture.name;
    }
    EXPECT_EQ(tileFile("yel", 25), "pics/yel_z.bmp");
    EXPECT_EQ(pictureFile("offlight"), "pics/offlight.bmp");
}

TEST(ResourceFiles, SoundsAreShortCleanSixteenBitWaves) {
    for (std::string_view name : SoundFiles) {
        const Wave w = parseWave(readAll(programFolder() / name));
        ASSERT_TRUE(w.valid) << name;
        EXPECT_EQ(w.channels, 1) << name;
        EXPECT_EQ(w.bits, 16) << name;
        EXPECT_EQ(w.rate, 22050) << name;
        const double seconds = static_cast<double>(w.samples.size()) / w.rate;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LT(seconds, 1.5) << name;
        int peak = 0;
        for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 8000) << name << " is too quiet";
        EXPECT_LT(peak, 30000) << name << " clips";
        // No click at either end.
        EXPECT_LT(std::abs(static_cast<int>(w.samples.front())), 1000) << name;
        EXPECT_LT(std::abs(static_cast<int>(w.samples.back())), 1000) << name;
    }
}

TEST(ResourceFiles, SoundsDifferFromEachOther) {
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) EXPECT_NE(soundSamples(a), soundSamples(b)) << a << " and " << b;
}

TEST(ResourceTool, EveryRunWritesTheSameBytes) {
    testing_support::TempDir dir;
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + TESSARINE_RESOURCES_TOOL + "' '" +
                                dir.path().string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (std::string_view board : BoardFiles)
        EXPECT_EQ(readAll(dir / std::string(board)), readAll(programFolder() / board)) << board;
    for (std::string_view sound : SoundFiles)
        EXPECT_EQ(readAll(dir / std::string(sound)), readAll(programFolder() / sound)) << sound;
    EXPECT_EQ(readAll(dir / tileFile("red", 16)), readAll(programFolder() / tileFile("red", 16)));
    EXPECT_EQ(readAll(dir / pictureFile("logo")), readAll(programFolder() / pictureFile("logo")));
}

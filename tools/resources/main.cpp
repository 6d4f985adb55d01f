// Draws the game's pictures and synthesises its sounds into the program folder:
//   tessarine-resources <program folder>
// Every run writes the same bytes, so the build can regenerate them at will.
#include "tools/resources/Drawing.h"
#include "tools/resources/Names.h"
#include "tools/resources/Sounds.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>

namespace {

using namespace tools::resources;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "tessarine-resources: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool saveBmp(const QImage& image, const QString& path) {
    if (image.isNull() || !image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        std::fprintf(stderr, "tessarine-resources: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The letters are drawn with DejaVu Sans; the files are taken straight from the font folder when
// they are there, so the pictures do not depend on what else the font configuration offers.
void loadFonts() {
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString("/usr/share/fonts/truetype/dejavu/") + file);
    if (!QFontDatabase::families().contains("DejaVu Sans"))
        std::fprintf(stderr, "tessarine-resources: DejaVu Sans is not installed; letters use another font\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessarine-resources <program folder>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    loadFonts();

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QString::fromLatin1(PicturesFolder.data(), PicturesFolder.size()))) {
        std::fprintf(stderr, "tessarine-resources: cannot make %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (std::size_t i = 0; i < BoardFiles.size(); ++i)
        ok &= saveBmp(drawBoard(static_cast<int>(i)), folder.filePath(QString::fromLatin1(BoardFiles[i].data(), BoardFiles[i].size())));
    for (std::string_view set : TileSets)
        for (int letter = 0; letter < 26; ++letter)
            ok &= saveBmp(drawTile(set, letter), folder.filePath(QString::fromStdString(tileFile(set, letter))));
    for (const PictureSize& picture : StorePictures)
        ok &= saveBmp(drawStorePicture(picture.name), folder.filePath(QString::fromStdString(pictureFile(picture.name))));
    for (std::size_t i = 0; i < SoundFiles.size(); ++i) {
        const std::string wave = waveFile(soundSamples(static_cast<int>(i)));
        ok &= writeFile(folder.filePath(QString::fromLatin1(SoundFiles[i].data(), SoundFiles[i].size())),
                        QByteArray(wave.data(), static_cast<qsizetype>(wave.size())));
    }
    return ok ? 0 : 1;
}

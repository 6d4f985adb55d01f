#include "platform/sound/QtSoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>

namespace platform::sound {
namespace {

bool namesNoSound(const std::string& file) {
    std::string trimmed = file;
    trimmed.erase(0, trimmed.find_first_not_of(' '));
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    std::string lower;
    std::transform(trimmed.begin(), trimmed.end(), std::back_inserter(lower),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.empty() || lower == "none";
}

} // namespace

// One effect per file, kept once loaded, so a sound played again starts without reading the
// file anew.
struct QtSoundPlayer::Effects {
    std::map<std::string, std::unique_ptr<QSoundEffect>> byPath;
    QSoundEffect* playing = nullptr;
};

bool isPlayableWave(const std::string& file) {
    const QFileInfo info(QString::fromStdString(file));
    if (!info.exists() || !info.isFile() || !info.isReadable()) return false;
    std::ifstream in(file, std::ios::binary);
    char head[12] = {};
    if (!in.read(head, sizeof head)) return false;
    return std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "WAVE";
}

QtSoundPlayer::QtSoundPlayer() : m_effects(std::make_unique<Effects>()) {}

QtSoundPlayer::~QtSoundPlayer() {
    if (m_effects->playing) m_effects->playing->stop();
}

void QtSoundPlayer::play(const std::string& file) {
    if (namesNoSound(file) || !isPlayableWave(file)) return;
    const std::string path = QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();

    auto& slot = m_effects->byPath[path];
    if (!slot) {
        slot = std::make_unique<QSoundEffect>();
        slot->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    // Only one sound at a time: the new one cuts the old one off.
    if (m_effects->playing && m_effects->playing != slot.get()) m_effects->playing->stop();
    slot->stop();
    slot->play();
    m_effects->playing = slot.get();
    m_lastStarted = path;
}

} // namespace platform::sound

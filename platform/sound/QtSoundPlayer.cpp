#include "platform/sound/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <optional>

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

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t le16(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

struct Wave {
    QAudioFormat format;
    QByteArray samples;
};

// Plain PCM WAV, 8 or 16 bits, any rate and channel count; anything else is not played.
std::optional<Wave> readWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024 * 1024) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
    std::optional<QAudioFormat> format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body) {
            if (id != "data") break;
        }
        if (id == "fmt " && size >= 16) {
            const int tag = le16(bytes, body);
            const int channels = le16(bytes, body + 2);
            const int rate = static_cast<int>(le32(bytes, body + 4));
            const int bits = le16(bytes, body + 14);
            if (tag != 1 || channels < 1 || channels > 8 || rate < 1000 || rate > 192000
                || (bits != 8 && bits != 16))
                return std::nullopt;
            QAudioFormat f;
            f.setSampleRate(rate);
            f.setChannelCount(channels);
            f.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            format = f;
        } else if (id == "data") {
            if (!format) return std::nullopt;
            // A data chunk that claims more than the file holds plays what is there.
            return Wave{*format, bytes.mid(body, std::min<qsizetype>(size, bytes.size() - body))};
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace

// One sink at a time over one buffer: a new sound stops the old one. QAudioSink keeps no loader
// thread of its own, so nothing is left running when the program ends mid-sound.
struct QtSoundPlayer::Output {
    std::unique_ptr<QAudioSink> sink;
    QBuffer buffer;
    QByteArray samples;

    void stop() {
        if (sink) sink->stop();
        sink.reset();
        buffer.close();
    }
};

bool isPlayableWave(const std::string& file) {
    const QFileInfo info(QString::fromStdString(file));
    if (!info.exists() || !info.isFile() || !info.isReadable()) return false;
    std::ifstream in(file, std::ios::binary);
    char head[12] = {};
    if (!in.read(head, sizeof head)) return false;
    return std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "WAVE";
}

QtSoundPlayer::QtSoundPlayer() : m_output(std::make_unique<Output>()) {}

QtSoundPlayer::~QtSoundPlayer() { m_output->stop(); }

void QtSoundPlayer::play(const std::string& file) {
    if (namesNoSound(file) || !isPlayableWave(file)) return;
    const QString path = QFileInfo(QString::fromStdString(file)).absoluteFilePath();
    auto wave = readWave(path);
    if (!wave) return;

    // Only one sound at a time: the new one cuts the old one off.
    m_output->stop();
    m_lastStarted = path.toStdString();

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(wave->format)) return;   // nothing to hear it on
    m_output->samples = std::move(wave->samples);
    m_output->buffer.setData(m_output->samples);
    if (!m_output->buffer.open(QIODevice::ReadOnly)) return;
    m_output->sink = std::make_unique<QAudioSink>(device, wave->format);
    m_output->sink->start(&m_output->buffer);
}

} // namespace platform::sound

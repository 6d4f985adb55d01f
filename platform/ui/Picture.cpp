#include "platform/ui/Picture.h"

#include "platform/ui/Files.h"

#include <array>
#include <fstream>
#include <system_error>
#include <filesystem>

namespace platform::ui {

namespace {

Picture::Decoder& decoder() {
    static Picture::Decoder d;
    return d;
}

int le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
int le32(const unsigned char* p) { return static_cast<int>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24)); }
int be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }

bool jpegSize(std::ifstream& in, int& width, int& height) {
    in.seekg(2);
    unsigned char b[9];
    while (in.read(reinterpret_cast<char*>(b), 4)) {
        if (b[0] != 0xFF) return false;
        const int marker = b[1];
        const int length = be16(b + 2);
        if (length < 2) return false;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (!in.read(reinterpret_cast<char*>(b), 5)) return false;
            height = be16(b + 1);
            width = be16(b + 3);
            return width > 0 && height > 0;
        }
        in.seekg(length - 2, std::ios::cur);
    }
    return false;
}

} // namespace

const std::string& Picture::path() const {
    static const std::string none;
    return m_data ? m_data->path : none;
}

const std::shared_ptr<const void>& Picture::native() const {
    static const std::shared_ptr<const void> none;
    return m_data ? m_data->native : none;
}

void Picture::setDecoder(Decoder d) {
    decoder() = std::move(d);
}

bool Picture::decodeHeader(const std::string& path, Data& out) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 26> h{};
    if (!in.read(reinterpret_cast<char*>(h.data()), h.size())) return false;
    if (h[0] == 'B' && h[1] == 'M') {
        out.width = le32(&h[18]);
        out.height = std::abs(le32(&h[22]));
    } else if (h[0] == 'G' && h[1] == 'I' && h[2] == 'F' && h[3] == '8') {
        out.width = le16(&h[6]);
        out.height = le16(&h[8]);
    } else if (h[0] == 0xFF && h[1] == 0xD8) {
        if (!jpegSize(in, out.width, out.height)) return false;
    } else {
        return false;
    }
    return out.width > 0 && out.height > 0;
}

Picture Picture::load(const std::string& fileName, bool* ok) {
    if (ok) *ok = false;
    const std::string path = resolveFileName(fileName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    auto data = std::make_shared<Data>();
    data->path = path;
    const bool decoded = decoder() ? decoder()(path, *data) : decodeHeader(path, *data);
    if (!decoded) return {};
    if (ok) *ok = true;
    return Picture(std::move(data));
}

} // namespace platform::ui

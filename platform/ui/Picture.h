#pragma once
// Pictures are shared handles: assigning copies the handle, loading a file makes a new one, and
// two controls show "the same picture" only when they hold the same handle. "No picture" is one
// identity of its own. The decoded pixels are kept opaque here; the screen binding decodes them.
#include <functional>
#include <memory>
#include <string>

namespace platform::ui {

class Picture {
public:
    // No picture.
    Picture() = default;

    // Loads a BMP, GIF or JPEG file (name resolved without regard to case); a file that is
    // missing or not a picture gives no picture and ok = false.
    static Picture load(const std::string& fileName, bool* ok = nullptr);

    bool isNone() const { return !m_data; }
    explicit operator bool() const { return !isNone(); }
    int width() const { return m_data ? m_data->width : 0; }     // pixels
    int height() const { return m_data ? m_data->height : 0; }
    const std::string& path() const;
    // What the screen binding decoded (null without a binding).
    const std::shared_ptr<const void>& native() const;

    // Identity, never content.
    friend bool operator==(const Picture& a, const Picture& b) { return a.m_data == b.m_data; }

    struct Data {
        std::string path;
        int width = 0;
        int height = 0;
        std::shared_ptr<const void> native;
    };

    // Turns a file into picture data; false when it is not a picture it can read.
    using Decoder = std::function<bool(const std::string& path, Data& out)>;
    // The screen binding installs a decoder that keeps the pixels; without one, files are checked
    // by their header only (BMP, GIF, JPEG) and sized from it.
    static void setDecoder(Decoder decoder);
    static bool decodeHeader(const std::string& path, Data& out);

private:
    explicit Picture(std::shared_ptr<const Data> data) : m_data(std::move(data)) {}
    std::shared_ptr<const Data> m_data;
};

} // namespace platform::ui

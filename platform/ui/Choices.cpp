#include "platform/ui/Choices.h"

#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace platform::ui {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool matchFrom(const std::string& name, std::size_t n, const std::string& pattern, std::size_t p) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (std::size_t k = n; k <= name.size(); ++k)
                if (matchFrom(name, k, pattern, p + 1)) return true;
            return false;
        }
        if (n >= name.size()) return false;
        if (pattern[p] != '?' && lower(pattern[p]) != lower(name[n])) return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

const std::string& rowOf(const std::vector<std::string>& rows, int index) {
    static const std::string none;
    return index >= 0 && index < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(index)] : none;
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    return matchFrom(name, 0, pattern, 0);
}

// ---- ComboBox

void ComboBox::AddItem(const std::string& item) {
    m_items.push_back(item);
    Control::changed();
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    m_items.erase(m_items.begin() + index);
    if (ListIndex >= ListCount()) ListIndex = -1;
    else Control::changed();
}

void ComboBox::Clear() {
    m_items.clear();
    ListIndex = -1;
}

const std::string& ComboBox::List(int index) const {
    return rowOf(m_items, index);
}

void ComboBox::changed() {
    if (ListIndex < -1 || ListIndex >= ListCount()) ListIndex.setQuietly(-1);
    const bool chosen = ListIndex != m_seenIndex;
    if (chosen) {
        m_seenIndex = ListIndex;
        // A chosen row becomes the text of the edit line without counting as typing.
        if (ListIndex >= 0) {
            Text.setQuietly(List(ListIndex));
            m_seenText = Text;
        }
    } else if (Text.get() != m_seenText) {
        m_seenText = Text;
        // Text that no longer is the chosen row's leaves no row chosen.
        if (ListIndex >= 0 && Text.get() != List(ListIndex)) {
            ListIndex.setQuietly(-1);
            m_seenIndex = -1;
        }
        Control::changed();
        if (onChange) Desktop::instance().dispatch([this] { onChange(); });
        return;
    }
    Control::changed();
    if (chosen) click();
}

// ---- OptionButton

void OptionButton::changed() {
    const bool now = Value;
    const bool becameSet = now && !m_seen;
    m_seen = now;
    if (becameSet) {
        if (Form* owner = form()) {
            for (Control* other : owner->controls()) {
                if (other == this || other->kind() != Kind::OptionButton) continue;
                if (other->container() != container() || other->tabPage() != tabPage()) continue;
                auto& option = static_cast<OptionButton&>(*other);
                if (option.Value) option.Value = false;
            }
        }
    }
    Control::changed();
    if (becameSet) click();
}

// ---- CheckBox

void CheckBox::changed() {
    const bool flipped = Value != m_seen;
    m_seen = Value;
    Control::changed();
    if (flipped) click();
}

// ---- FileListBox

const std::string& FileListBox::List(int index) const {
    return rowOf(m_files, index);
}

void FileListBox::Refresh() {
    namespace fs = std::filesystem;
    m_files.clear();
    std::vector<std::string> patterns;
    const std::string& all = Pattern.get();
    for (std::size_t from = 0; from <= all.size();) {
        const std::size_t to = std::min(all.find(';', from), all.size());
        if (to > from) patterns.push_back(all.substr(from, to - from));
        from = to + 1;
    }
    std::error_code error;
    const fs::path folder = Path->empty() ? fs::path(".") : fs::path(Path.get());
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string name = it->path().filename().string();
        if (std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) { return matchesPattern(name, p); }))
            m_files.push_back(name);
    }
    std::sort(m_files.begin(), m_files.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return lower(x) < lower(y); });
    });
    ListIndex.setQuietly(-1);
    Control::changed();
}

void FileListBox::changed() {
    if (Path.get() != m_seenPath || Pattern.get() != m_seenPattern) {
        m_seenPath = Path;
        m_seenPattern = Pattern;
        Refresh();
        return;
    }
    if (ListIndex < -1 || ListIndex >= ListCount()) ListIndex.setQuietly(-1);
    Control::changed();
}

} // namespace platform::ui

#include "engine/Dictionary.h"

#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/Shared.h"
#include "platform/ui/Files.h"
#include "platform/text/Blanks.h"
#include "platform/text/Cp1252.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <unordered_map>

namespace engine {

namespace fs = std::filesystem;

namespace {

// Upper-cased entry -> its first position in Words and how many entries carry it, so a look-up
// finds what the scan in file order would find: the first match, and every duplicate.
struct Hits {
    std::int32_t first = 0;
    std::int32_t count = 0;
};

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};

struct WordIndex {
    std::unordered_map<std::string, Hits, KeyHash, std::equal_to<>> byKey;
    // What the index was built from; a list that no longer looks like this is indexed again.
    const std::string* words = nullptr;
    std::size_t size = 0;
    std::int16_t count = -1;
};

WordIndex& wordIndex() {
    static WordIndex index;
    return index;
}

int g_lastLookUpHits = 0;

// The entries the scan reads: Words[1..WordCount], never past the list's end.
std::int32_t searchedEntries(const State& s) {
    const auto stored = static_cast<std::int32_t>(s.Words.size()) - 1;
    return std::clamp<std::int32_t>(s.WordCount, 0, std::max(stored, 0));
}

void rebuildIndex() {
    const State& s = state();
    WordIndex& index = wordIndex();
    index.byKey.clear();
    const std::int32_t n = searchedEntries(s);
    index.byKey.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 1; i <= n; ++i) {
        Hits& hits = index.byKey[vbUCase(s.Words[i])];
        if (hits.count++ == 0) hits.first = i;
    }
    index.words = s.Words.data();
    index.size = s.Words.size();
    index.count = s.WordCount;
}

// Matches of an upper-cased word among the searched entries (count 0: none).
Hits findHits(const std::string& key) {
    const State& s = state();
    WordIndex& index = wordIndex();
    if (index.words != s.Words.data() || index.size != s.Words.size() || index.count != s.WordCount)
        rebuildIndex();
    auto it = index.byKey.find(std::string_view(key));
    if (it == index.byKey.end()) return {};
    // An entry rewritten in place since the index was built: index again rather than answer
    // from an old list.
    if (vbUCase(s.Words[it->second.first]) != key) {
        rebuildIndex();
        it = index.byKey.find(std::string_view(key));
        if (it == index.byKey.end()) return {};
    }
    return it->second;
}

// What one matching entry does to the game.
void hitActions(const std::string& Word) {
    State& s = state();
    s.GameOver = 1;
    s.MoveEndedGame = 1;
    AddStatusLine(s.TurnName + " made word " + Word + ". Game Over. Winner is " + s.TurnName);
    s.WinningWord = Word;
    if (GameControls* c = s.controls) {
        c->Label13.Caption = "Game Over";
    }
    RoundDecided();
}

void showNotFound() {
    if (platform::Dialogs* dialogs = state().services.dialogs)
        dialogs->msgBox("Error! Word List File Not Found.", platform::vbOKOnly, "File Not Found");
}

char16_t upperCp1252(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
    switch (c) {
    case 0x0161: return 0x0160;   // š
    case 0x0153: return 0x0152;   // œ
    case 0x017E: return 0x017D;   // ž
    case 0x00FF: return 0x0178;   // ÿ
    default: return c;
    }
}

} // namespace

std::string vbUCase(std::string_view text) {
    std::string out(text);
    bool ascii = true;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
        else if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
    }
    if (ascii) return out;
    auto wide = platform::text::utf8ToUtf16(text);
    if (!wide) return out;   // not UTF-8: only the ASCII letters are raised
    for (char16_t& c : *wide) c = upperCp1252(c);
    return platform::text::utf16ToUtf8(*wide).value_or(out);
}

std::string trimBlanks(std::string_view text) { return std::string(platform::text::trimBlanks(text)); }

WordRecord decodeWordRecord(std::string_view recordBytes) {
    const std::string_view word = recordBytes.substr(0, WordFieldWidth);
    const std::string_view definition =
        recordBytes.size() > WordFieldWidth ? recordBytes.substr(WordFieldWidth, DefinitionFieldWidth) : std::string_view{};
    return {platform::text::cp1252ToUtf8(word), platform::text::cp1252ToUtf8(definition)};
}

void LoadWordList() {
    LoadWordList(fs::path(WordListFile));
}

void LoadWordList(const fs::path& name) {
    const fs::path file = platform::ui::resolveFileName(name.string());
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        showNotFound();
        return;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        // Present but unreadable: to the player that is the same as missing.
        showNotFound();
        return;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    // The list holds WordCapacity entries; records past that are not loaded.
    const std::int64_t records = std::min<std::int64_t>(std::max<std::streamoff>(length, 0) / WordRecordLength, WordCapacity);

    std::string bytes(static_cast<std::size_t>(records * WordRecordLength), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // A file that shrank while being read: only the records that arrived count.
    const auto n = static_cast<std::int32_t>(std::max<std::streamsize>(in.gcount(), 0) / WordRecordLength);

    State& s = state();
    s.Words.assign(static_cast<std::size_t>(n) + 1, std::string());
    for (std::int32_t i = 1; i <= n; ++i) {
        const std::string_view record = std::string_view(bytes).substr(static_cast<std::size_t>(i - 1) * WordRecordLength, WordRecordLength);
        if (i == n) {
            s.WordRec = decodeWordRecord(record);
            s.Words[i] = trimBlanks(s.WordRec.Word);
        } else {
            s.Words[i] = trimBlanks(platform::text::cp1252ToUtf8(record.substr(0, WordFieldWidth)));
        }
    }
    s.WordCount = static_cast<std::int16_t>(n);
    wordListChanged();
}

void IsInWordList(const std::string& Word) {
    State& s = state();
    s.WordFound = 0;
    if (findHits(vbUCase(Word)).count > 0) s.WordFound = 1;
}

void LookUpWord(const std::string& Word) {
    const Hits hits = findHits(vbUCase(Word));
    g_lastLookUpHits = hits.count;
    for (std::int32_t i = 0; i < hits.count; ++i) hitActions(Word);
}

int lastLookUpHits() {
    return g_lastLookUpHits;
}

void wordListChanged() {
    rebuildIndex();
}

std::int32_t wordRecordCount(const fs::path& name) {
    const fs::path file = platform::ui::resolveFileName(name.string());
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return 0;
    const auto size = fs::file_size(file, error);
    if (error) return 0;
    return static_cast<std::int32_t>(std::min<std::uintmax_t>(size / WordRecordLength, INT32_MAX));
}

bool readWordRec(std::int32_t recordNumber, const fs::path& file) {
    if (recordNumber < 1) return false;
    std::ifstream in(platform::ui::resolveFileName(file.string()), std::ios::binary);
    if (!in) return false;
    std::string bytes(WordRecordLength, '\0');
    in.seekg(static_cast<std::streamoff>(recordNumber - 1) * WordRecordLength, std::ios::beg);
    if (!in.read(bytes.data(), WordRecordLength)) return false;
    state().WordRec = decodeWordRecord(bytes);
    return true;
}

} // namespace engine

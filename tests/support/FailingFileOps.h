#pragma once
// File operations that do the real thing until told to fail at one step: the writing of a file
// (optionally after writing half of it, as a full disk would), the rename, or the read.
#include "engine/playerfile/FileOps.h"

#include <string>
#include <vector>

namespace testing_support {

class FailingFileOps final : public engine::FileOps {
public:
    enum class Step { None, Read, Write, WriteHalf, Replace };
    Step failAt = Step::None;
    std::vector<std::string> calls;   // "write players.tmp", "replace players.tmp players.dat", ...

    bool exists(const std::string& path) override { return m_real.exists(path); }
    std::optional<std::string> readAll(const std::string& path) override {
        calls.push_back("read " + path);
        if (failAt == Step::Read) return std::nullopt;
        return m_real.readAll(path);
    }
    bool writeDurably(const std::string& path, std::string_view bytes, const std::string& like) override {
        calls.push_back("write " + path);
        if (failAt == Step::Write) return false;
        if (failAt == Step::WriteHalf) {
            m_real.writeDurably(path, bytes.substr(0, bytes.size() / 2), like);
            return false;
        }
        return m_real.writeDurably(path, bytes, like);
    }
    bool replace(const std::string& from, const std::string& to) override {
        calls.push_back("replace " + from + " " + to);
        if (failAt == Step::Replace) return false;
        return m_real.replace(from, to);
    }
    bool publish(const std::string& from, const std::string& to) override {
        calls.push_back("publish " + from + " " + to);
        if (failAt == Step::Replace) return false;
        return m_real.publish(from, to);
    }
    bool remove(const std::string& path) override {
        calls.push_back("remove " + path);
        return m_real.remove(path);
    }
    std::unique_ptr<engine::FileLock> lock(const std::string& path) override { return m_real.lock(path); }
    std::string lastFailure() const override { return failAt == Step::None ? m_real.lastFailure() : "test failure"; }

private:
    engine::SystemFileOps m_real;
};

} // namespace testing_support

#pragma once

#include "platform/FileSystem.h"

#include <set>
#include <string>

namespace discmenu::check {

// The machine's files with some of them left out of folder listings, so that a search can
// be asked again for what it would find without the file it found before. A check only
// reads: copies and new folders are refused.
class HidingFileSystem : public FileSystem {
public:
    explicit HidingFileSystem(FileSystem& inner) : m_inner(inner) {}

    // Leaves a file out of listings by its full path, as listings report it.
    void hide(const std::string& path) { m_hidden.insert(path); }
    void showAll() { m_hidden.clear(); }

    bool fileExists(const std::string& path) const override { return m_inner.fileExists(path); }
    bool folderExists(const std::string& path) const override { return m_inner.folderExists(path); }
    Result<std::vector<FolderEntry>> subfolders(const std::string& folder) const override {
        return m_inner.subfolders(folder);
    }
    Result<std::vector<FolderEntry>> files(const std::string& folder) const override;
    Result<std::string> readStart(const std::string& path, std::size_t maxBytes) const override {
        return m_inner.readStart(path, maxBytes);
    }
    Outcome copyFile(const std::string&, const std::string&, CopyProgress*) override {
        return refused();
    }
    Outcome copyFolder(const std::string&, const std::string&, CopyProgress*) override {
        return refused();
    }
    Outcome makeFolder(const std::string&) override { return refused(); }
    std::vector<char> drives() const override { return m_inner.drives(); }

private:
    static Outcome refused() { return fail(err::PermissionDenied, "A disc check writes nothing"); }

    FileSystem& m_inner;
    std::set<std::string> m_hidden;
};

} // namespace discmenu::check

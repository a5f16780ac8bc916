#pragma once

#include "check/TreeIndex.h"
#include "platform/FileSystem.h"

#include <map>
#include <set>
#include <string>

namespace discmenu::check {

// The machine's files with some of them left out of folder listings, so that a search can
// be asked again for what it would find without the file it found before. A check only
// reads: copies and new folders are refused. Given the disc's walked tree, whether a file
// or folder exists is told from the walk wherever it can tell, without asking the machine
// again for each name.
class HidingFileSystem : public FileSystem {
public:
    explicit HidingFileSystem(FileSystem& inner, const TreeIndex* tree = nullptr)
        : m_inner(inner), m_tree(tree) {}

    // Leaves a file out of listings by its full path, as listings report it.
    void hide(const std::string& path) { m_hidden.insert(path); }
    void showAll() { m_hidden.clear(); }

    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    // Each folder's subfolders are listed once: the disc stays as it is while it is checked,
    // and the menu's start-up lists the disc's root twice.
    Result<std::vector<FolderEntry>> subfolders(const std::string& folder) const override;
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
    static Outcome refused() { return fail(Err::PermissionDenied, "a disc check writes nothing"); }

    FileSystem& m_inner;
    const TreeIndex* m_tree;
    std::set<std::string> m_hidden;
    mutable std::map<std::string, Result<std::vector<FolderEntry>>> m_subfolders;
};

} // namespace discmenu::check

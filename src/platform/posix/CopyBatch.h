#pragma once

#include "platform/CopyProgress.h"
#include "platform/Failure.h"
#include "platform/posix/SysCalls.h"

#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace discmenu::posix {

// The folder part of a host path: "." for a bare name, "/" for a name in the root.
std::string hostFolderOf(const std::string& path);

// What a copy did, file by file, by the host paths of the destinations.
struct CopyReport {
    struct NotCopied {
        std::string path; // a file, or a folder whose files could not all be listed or made
        Failure failure;
    };
    std::vector<std::string> copied;
    std::vector<NotCopied> notCopied;
};

// Copies files so that durability is paid for once per batch, not once per file, while a
// copy that fails at any point never leaves a partial file under a real name and never
// destroys the file that was there:
//   1. add: each file's content goes into a new temporary file beside its destination;
//   2. finish: the file systems that got them are flushed to disk at once (syncfs; file by
//      file with fsync where there is no such call), then each temporary file is renamed to
//      its destination, then every folder that got a new name is flushed, so that what is
//      reported as copied is on disk.
// A file that fails at any step is reported as not copied and its temporary file removed.
// A batch dropped before finish removes its temporary files.
class CopyBatch {
public:
    CopyBatch(SysCalls& sys, CopyProgress* progress) : m_sys(sys), m_progress(progress) {}
    ~CopyBatch();
    CopyBatch(const CopyBatch&) = delete;
    CopyBatch& operator=(const CopyBatch&) = delete;

    // Writes the content of the host file `from` for the host path `to`.
    void add(const std::string& from, const std::string& to);
    // A folder made for this copy: the folder that holds it is flushed at the end.
    void folderMade(const std::string& folder) { m_folders.insert(hostFolderOf(folder)); }
    // Records that something could not be copied (a folder that could not be read or made).
    void notCopied(const std::string& path, Failure failure) {
        m_report.notCopied.push_back({path, std::move(failure)});
    }

    // Makes the batch durable and puts every file in place. The first failure, if any.
    Outcome finish();
    const CopyReport& report() const { return m_report; }

private:
    struct Pending {
        std::string temp;
        std::string target;
        dev_t device;
    };
    Outcome write(const std::string& from, Pending& p);
    Outcome copyBytes(int in, int out, std::uint64_t total);
    int createTemp(const std::string& folder, std::string& temp);
    void watchDevice(dev_t device, const std::string& folder);
    Outcome sync(const std::string& path, int flags);
    void remove(const std::string& temp);

    SysCalls& m_sys;
    CopyProgress* m_progress;
    std::vector<Pending> m_pending;
    std::set<std::string> m_folders; // folders to flush at the end
    // For each file system written to, a folder of it opened before the first content was
    // written there, so that flushing it tells of every failure since (-1: none could be).
    std::map<dev_t, int> m_devices;
    CopyReport m_report;
    // Temporary names: the process's number and a count, so that two copies never meet.
    std::string m_tempTag = std::to_string(::getpid());
    unsigned m_tempCount = 0;
};

} // namespace discmenu::posix

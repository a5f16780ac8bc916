#include "GeneratedDisc.h"

#include "Rng.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace discmenu::tools {

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> unicodePieces = {
    "\xc3\xa9",                 // é
    "\xc3\x9f",                 // ß
    "\xe4\xb8\xad\xe6\x96\x87", // 中文
    "\xf0\x9f\x8c\x8a",         // a wave, four bytes
    "e\xcc\x81",                // e and a combining accent
    "\xe2\x80\xae",             // right-to-left override
    "\xc4\xb0",                 // İ, whose lower case is longer
    "\xef\x81\x9c",             // the private-use stand-in for a backslash
    "\xef\xbb\xbf",             // a byte-order mark
};
const std::vector<std::string> forbiddenPieces = {"<", ">", ":", "\"", "|", "?", "*"};
const std::vector<std::string> oddBytes = {"\xff", "\xc3", "\x80", "\xed\xa0\x80",
                                           "\t",   "\r",   "\n",   "\x01"};
const std::vector<std::string> endings = {".", " ", ")", "...", ". ", " )", "()"};

class Writer {
public:
    Writer(std::uint64_t seed, const fs::path& disc, const Hazards& hazards, GeneratedDisc& tree)
        : m_rng(seed), m_disc(disc), m_hazards(hazards), m_tree(tree) {}

    void run();

private:
    std::string name();
    std::string word();
    std::string text();
    std::string lineEnd() { return m_rng.pick<std::string>({"\r", "\n", "\r\n", ""}); }
    std::string version();
    std::string caseOf(const std::string& name);

    void file(const fs::path& rel, const std::string& content);
    void folder(const fs::path& rel);
    void link(const fs::path& rel, const std::string& target);
    void pipe(const fs::path& rel);
    void lock(const fs::path& rel);
    void date(const fs::path& rel);
    void note(const std::string& kind, const fs::path& rel, const std::string& more = {}) {
        m_tree.entries.push_back(kind + " " + escaped(rel.string()) + more);
    }
    // One of the odd things that may stand where a file or folder is expected.
    void oddEntry(const fs::path& rel);

    void textFile(const fs::path& rel);
    void softwareFolder(const fs::path& rel);
    void packages(const fs::path& rel);
    void writePackages(const fs::path& rel);
    void subtree(const fs::path& rel, int depth);
    void jobFolders();
    void jobFiles(const fs::path& rel);
    void deepPath(const fs::path& rel);

    Rng m_rng;
    fs::path m_disc;
    Hazards m_hazards;
    GeneratedDisc& m_tree;
    bool m_inPackage = false; // writing a DOS package folder, which installs copy whole
};

std::string Writer::word() {
    static const char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-";
    std::string w;
    const std::size_t n = 1 + m_rng.below(10);
    for (std::size_t i = 0; i < n; ++i)
        w += letters[m_rng.below(sizeof letters - 1)];
    return w;
}

std::string Writer::name() {
    std::string n;
    const std::size_t pieces = 1 + m_rng.below(4);
    for (std::size_t i = 0; i < pieces; ++i) {
        switch (m_rng.below(8)) {
        case 0:
            n += m_rng.pick(unicodePieces);
            break;
        case 1:
            n += " ";
            break;
        case 2:
            n += m_rng.pick(forbiddenPieces);
            break;
        case 3:
            n += m_rng.chance(30) ? m_rng.pick(oddBytes) : word();
            break;
        case 4:
            if (m_hazards.backslashNames)
                n += m_rng.pick<std::string>({"\\", "..\\", "\\\\", "a\\b"});
            break;
        default:
            n += word();
            break;
        }
    }
    if (m_rng.chance(15))
        n += m_rng.pick(endings);
    if (m_rng.chance(4)) { // very long, to the limit of a name
        while (n.size() < 240)
            n += m_rng.chance(50) ? word() : m_rng.pick(unicodePieces);
        n.resize(std::min<std::size_t>(n.size(), 255));
    }
    if (n.empty() || n == "." || n == "..")
        n = "x" + n;
    return n;
}

std::string Writer::caseOf(const std::string& name) {
    std::string out = name;
    switch (m_rng.below(3)) {
    case 0:
        return out;
    case 1:
        for (char& c : out)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    default:
        for (char& c : out)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    }
}

std::string Writer::version() {
    switch (m_rng.below(6)) {
    case 0:
        return "7.16";
    case 1:
        return "7.1";
    case 2:
        return "";
    case 3:
        return word();
    case 4:
        return name();
    default:
        return std::to_string(m_rng.below(10)) + "." + std::to_string(m_rng.below(100));
    }
}

// Contents of a version or job file.
std::string Writer::text() {
    switch (m_rng.below(10)) {
    case 0:
        return "";
    case 1: { // binary
        std::string b(m_rng.below(300), '\0');
        for (char& c : b)
            c = static_cast<char>(m_rng.below(256));
        return b;
    }
    case 2: { // larger than what is read of such files
        std::string line = version() + lineEnd();
        std::string big;
        while (big.size() < (1u << 20) + 4096)
            big += line.empty() ? std::string(4096, 'x') : line;
        return big;
    }
    case 3:
        return "7.1\xe2\x82"; // cut inside a character
    case 4:
        return "\x93" + word() + "\x94" + lineEnd() + "M\xe4rz 2007";
    case 5:
        return std::string(m_rng.below(5) + 1, '\r');
    case 6:
        return std::string(100000, '7') + lineEnd() + word();
    default: {
        std::string t = version() + lineEnd();
        if (m_rng.chance(70))
            t += m_rng.pick<std::string>({"March 2007", "3/20/2007", "", name()}) + lineEnd();
        if (m_rng.chance(20))
            t += word() + lineEnd();
        return t;
    }
    }
}

void Writer::file(const fs::path& rel, const std::string& content) {
    std::error_code ec;
    // What already stands there stays: writing into a named pipe would wait for a reader.
    if (fs::symlink_status(m_disc / rel, ec).type() != fs::file_type::not_found) {
        note("F", rel, " (skipped: taken)");
        return;
    }
    fs::create_directories((m_disc / rel).parent_path(), ec);
    std::ofstream out(m_disc / rel, std::ios::binary | std::ios::trunc);
    out << content;
    note("F", rel, " (" + std::to_string(content.size()) + " bytes" + (out ? ")" : ", failed)"));
}

void Writer::folder(const fs::path& rel) {
    std::error_code ec;
    fs::create_directories(m_disc / rel, ec);
    note("D", rel, ec ? " (failed)" : "");
}

void Writer::link(const fs::path& rel, const std::string& target) {
    std::error_code ec;
    fs::create_directories((m_disc / rel).parent_path(), ec);
    const bool made = ::symlink(target.c_str(), (m_disc / rel).c_str()) == 0;
    note("L", rel, " -> " + escaped(target) + (made ? "" : " (failed)"));
}

void Writer::pipe(const fs::path& rel) {
    std::error_code ec;
    fs::create_directories((m_disc / rel).parent_path(), ec);
    const bool made = ::mkfifo((m_disc / rel).c_str(), 0644) == 0;
    note("P", rel, made ? "" : " (failed)");
}

void Writer::lock(const fs::path& rel) {
    if (::chmod((m_disc / rel).c_str(), 0) == 0) {
        m_tree.locked.push_back(m_disc / rel);
        note("X", rel, " (no rights)");
    }
}

void Writer::date(const fs::path& rel) {
    // After 2262 and before 1970; the second stands 1 s before midnight.
    static const std::array<long long, 4> seconds = {10413792000LL, -2208988800LL, 253402300799LL,
                                                     86399};
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec =
        static_cast<time_t>(m_rng.pick(std::vector<long long>(seconds.begin(), seconds.end())));
    times[0].tv_nsec = times[1].tv_nsec = 0;
    if (::utimensat(AT_FDCWD, (m_disc / rel).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0)
        note("T", rel, " dated " + std::to_string(times[0].tv_sec));
}

void Writer::oddEntry(const fs::path& rel) {
    switch (m_rng.below(6)) {
    case 0:
        folder(rel);
        break; // a folder where a file is expected
    case 1:
        file(rel, "");
        break;
    case 2:
        if (m_hazards.links && m_inPackage && !m_hazards.packageLoops)
            link(rel, m_rng.pick<std::string>({"nowhere", "/nonexistent/x"}));
        else if (m_hazards.links)
            link(rel, m_rng.pick<std::string>({"nowhere", ".", "..", "/nonexistent/x"}));
        break;
    case 3:
        if (m_hazards.links) { // a loop of two links
            link(rel, rel.filename().string() + "-2");
            link(rel.parent_path() / (rel.filename().string() + "-2"), rel.filename().string());
        }
        break;
    case 4:
        file(rel, text());
        if (m_hazards.unreadable)
            lock(rel);
        break;
    default:
        folder(rel / word());
        if (m_hazards.unreadable)
            lock(rel);
        break;
    }
}

void Writer::textFile(const fs::path& rel) {
    if (m_rng.chance(88))
        file(rel, text());
    else if (m_hazards.pipes && m_rng.chance(30))
        pipe(rel);
    else
        oddEntry(rel);
}

void Writer::softwareFolder(const fs::path& rel) {
    folder(rel);
    struct Known {
        const char* prefix;
        const char* extension;
    };
    static const std::array<Known, 7> known = {{{"brinext-win32_", ".exe"},
                                                {"BrinextSwell_", ".exe"},
                                                {"quaylog_5", ".pdf"},
                                                {"quaylog_7", ".pdf"},
                                                {"TWLDATAPROCESSING_", ".pdf"},
                                                {"TWL Battery Budget Calculator", ".xls"},
                                                {"calpush", ".exe"}}};
    for (const Known& k : known) {
        const std::size_t copies = m_rng.chance(50) ? 0 : 1 + m_rng.below(3);
        for (std::size_t i = 0; i < copies; ++i) {
            const std::string n =
                caseOf(std::string(k.prefix) + (m_rng.chance(50) ? word() : name()) + k.extension);
            if (m_rng.chance(85))
                file(rel / n, word());
            else
                oddEntry(rel / n);
        }
    }
    if (m_rng.chance(60))
        file(rel / caseOf("CDContentsAndInstallation.pdf"), "pdf");
    if (m_rng.chance(60))
        file(rel / "website" / caseOf("index.htm"), "<html>");
    if (m_rng.chance(60))
        subtree(rel / caseOf("progsoftware"), 1);
    if (m_rng.chance(60)) { // the reader installer: names shorter than the 10 read
        const std::string n = m_rng.pick<std::string>(
            {"rp505enu.exe", "rp.exe", "RP1.EXE", "rp" + name() + "exe", "rpexe"});
        if (m_rng.chance(85))
            file(rel / "Adobe Acrobat" / n, "installer");
        else
            oddEntry(rel / "Adobe Acrobat" / n);
    }
    // Instrument files of every kind, now and then by the hundred.
    static const std::vector<std::string> kinds = {
        ".con", ".CON", ".cal", ".cap", ".cfg", ".ini", " manual.pdf", "Manual .PDF", ".con "};
    const std::size_t count = m_rng.chance(5) ? 200 + m_rng.below(200) : m_rng.below(10);
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path f = rel / (name() + m_rng.pick(kinds));
        if (m_rng.chance(85))
            file(f, m_rng.chance(10) ? text() : word());
        else
            oddEntry(f);
    }
    if (m_rng.chance(80))
        packages(rel);
    if (m_rng.chance(20))
        jobFiles(rel);
    if (m_rng.chance(10))
        deepPath(rel);
}

void Writer::packages(const fs::path& rel) {
    m_inPackage = true;
    writePackages(rel);
    m_inPackage = false;
}

void Writer::writePackages(const fs::path& rel) {
    const fs::path quaylog = rel / caseOf("brinext.dos");
    if (m_rng.chance(10)) {
        oddEntry(quaylog);
    } else {
        for (const char* f :
             {"binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"}) {
            if (m_rng.chance(85))
                file(quaylog / caseOf(f), m_rng.chance(10) ? std::string(200000, 'q') : f);
            else if (m_rng.chance(50))
                oddEntry(quaylog / f);
        }
    }
    const fs::path swell = rel / caseOf("bxswell.dos");
    if (m_rng.chance(10)) {
        oddEntry(swell);
        return;
    }
    for (const char* f : {"SETUP31.BAT", "B318205.EXE"}) {
        if (m_rng.chance(85))
            file(swell / caseOf(f), f);
        else if (m_rng.chance(50))
            oddEntry(swell / f);
    }
    if (m_rng.chance(85))
        subtree(swell / caseOf("DEMO"), 0);
    else
        oddEntry(swell / "DEMO");
}

// A folder with a few files and folders below it.
void Writer::subtree(const fs::path& rel, int depth) {
    folder(rel);
    const std::size_t files = m_rng.below(4);
    for (std::size_t i = 0; i < files; ++i)
        file(rel / name(), word());
    if (m_rng.chance(15))
        oddEntry(rel / name());
    if (m_hazards.packageLoops && m_rng.chance(10))
        link(rel / name(), m_rng.pick<std::string>({".", "..", "../.."}));
    if (depth < 3 && m_rng.chance(40))
        subtree(rel / name(), depth + 1);
}

void Writer::jobFiles(const fs::path& rel) {
    const std::size_t count = 1 + m_rng.below(3);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string ext = m_rng.pick<std::string>({".job", ".JOB", ".Job", "job", ".jobx"});
        const std::string id = m_rng.chance(70) ? word() : (m_rng.chance(50) ? "" : name());
        textFile(rel / (id + ext));
    }
}

void Writer::jobFolders() {
    std::size_t count = m_rng.below(6);
    if (m_rng.chance(6))
        count = 140 + m_rng.below(20); // past what a list of 225-twip rows can hold
    if (m_rng.chance(4))
        count = 1000 + m_rng.below(1500);
    for (std::size_t i = 0; i < count; ++i) {
        std::string id = m_rng.chance(80) ? std::to_string(1000 + i) : name();
        if (m_rng.chance(2))
            id.clear(); // a folder named "_CD_Contents" alone
        const fs::path job = fs::path(id + "_CD_Contents");
        if (i >= 12) { // the thousand are plain; the first few hold documents
            folder(job);
            continue;
        }
        if (m_rng.chance(10)) {
            oddEntry(job);
            continue;
        }
        folder(job);
        if (m_rng.chance(70))
            file(job / caseOf("service Report.pdf"), "report");
        for (const char* d : {"calibration documents", "configuration documents", "con & ini files",
                              "recovered data"}) {
            if (m_rng.chance(60))
                folder(job / caseOf(d));
            else if (m_rng.chance(15))
                oddEntry(job / d);
        }
        if (m_hazards.farDates && m_rng.chance(10))
            date(job);
    }
}

void Writer::deepPath(const fs::path& rel) {
    fs::path p = rel;
    while ((m_disc / p).string().size() < 3900) {
        std::string n = name();
        while (n.size() < 200)
            n += word();
        p /= n.substr(0, 200);
    }
    folder(p);
    file(p / "deep.con", "deep");
}

void Writer::run() {
    // The kind of disc: a service disc, a software disc made for a job, a generic one, or
    // job folders and a job file at once.
    const std::size_t kind = m_rng.below(4);
    const bool service = kind == 0 || kind == 3;
    std::string programFolder = "D:\\autorun";
    fs::path software; // where the menus take their files, below the disc root
    const std::string v =
        m_rng.chance(70) ? m_rng.pick<std::string>({"7.16", "7.1", "12.3"}) : version();
    const std::string versionFolder = "CD Current Version (" + v + ")";
    switch (m_rng.below(6)) {
    case 0:
    case 1:
    case 2:
        break;
    case 3:
    case 4: // started from the autorun folder inside the software folder
        software = fs::path(versionFolder) / "Components";
        programFolder = "D:\\" + versionFolder + "\\Components\\autorun";
        folder(software / "autorun");
        if (m_rng.chance(50))
            textFile(software / "autorun" / "version");
        break;
    default: { // copies on a hard disc and other odd places
        programFolder = m_rng.pick<std::string>({"D:\\", "D:\\autorun1", "D:\\x\\autorun",
                                                 "D:\\" + word() + "\\" + word() + "\\autorun",
                                                 "D:\\a folder of thirty-six chars\\autorun"});
        break;
    }
    }
    m_tree.programFolder = programFolder;
    note("program", fs::path(programFolder));

    if (m_rng.chance(90))
        folder("autorun");
    if (m_rng.chance(80))
        textFile(fs::path("autorun") / "version");
    if (service) {
        jobFolders();
        const std::size_t versions = m_rng.chance(80) ? 1 : m_rng.below(4);
        for (std::size_t i = 0; i < versions; ++i) {
            const std::string vf =
                i == 0 ? versionFolder : "CD Current Version (" + version() + ")";
            if (m_rng.chance(90))
                softwareFolder(fs::path(vf) / "Components");
            else
                oddEntry(vf);
            if (m_hazards.farDates && m_rng.chance(20))
                date(vf);
        }
        if (m_rng.chance(20))
            folder(m_rng.pick<std::string>({"a)", ")", "CD Current Version ()", "x_cd_contents"}));
    }
    if (!service || m_rng.chance(20))
        softwareFolder(software);
    if (kind == 1 || kind == 3)
        jobFiles(software);
    if (m_rng.chance(10))
        deepPath(word());
    if (m_hazards.links && m_rng.chance(20))
        link(word(), m_rng.pick<std::string>({".", "..", "/", "autorun"}));
}

} // namespace

std::string escaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t len = c < 0x80         ? 1
                          : (c >> 5) == 6  ? 2
                          : (c >> 4) == 14 ? 3
                          : (c >> 3) == 30 ? 4
                                           : 0;
        bool valid = len > 0 && i + len <= text.size();
        for (std::size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
        if (valid && (c >= 0x20 && c != 0x7f)) {
            out.append(text, i, len);
            i += len - 1;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

std::string GeneratedDisc::describe() const {
    std::ostringstream out;
    out << "disc tree of seed " << seed << ", started from " << escaped(programFolder) << ":\n";
    for (const std::string& e : entries)
        out << "  " << e << "\n";
    return out.str();
}

void GeneratedDisc::unlock() const {
    for (auto it = locked.rbegin(); it != locked.rend(); ++it)
        ::chmod(it->c_str(), 0700);
}

GeneratedDisc generateDisc(std::uint64_t seed, const fs::path& disc, const Hazards& hazards) {
    GeneratedDisc tree;
    tree.seed = seed;
    fs::create_directories(disc);
    Writer(seed, disc, hazards, tree).run();
    return tree;
}

} // namespace discmenu::tools

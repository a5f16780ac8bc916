#include "check/ReportWriters.h"

#include "platform/Text.h"

#include <cstdio>

namespace discmenu::check {

namespace {

// A JSON string: valid UTF-8 whatever the name's bytes were.
std::string str(const std::string& raw) {
    const std::string s = text::isValidUtf8(raw) ? raw : text::fromDiscBytes(raw);
    // The characters JSON has a short escape for, and their letters; other controls by number.
    constexpr std::string_view escaped = "\"\\\n\r\t", letters = "\"\\nrt";
    std::string out = "\"";
    for (unsigned char c : s) {
        if (const std::size_t at = escaped.find(static_cast<char>(c)); at != escaped.npos) {
            out += '\\';
            out += letters[at];
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string strings(const std::vector<std::string>& list) {
    std::string out = "[";
    for (std::size_t i = 0; i < list.size(); ++i)
        out += (i ? ", " : "") + str(list[i]);
    return out + "]";
}

std::string item(const ItemAction& a) {
    std::string out = "{\"caption\": " + str(a.caption);
    out += ", \"page\": " + (a.page >= 0 ? std::to_string(a.page) : std::string("null"));
    out += ", \"opens\": " + strings(a.opens);
    out += ", \"runs\": " + strings(a.runs);
    out += ", \"messages\": " + strings(a.messages);
    out += ", \"browser\": ";
    out += a.opensBrowser() ? "{\"caption\": " + str(a.browserCaption) +
                                  ", \"pattern\": " + str(a.browserPattern) +
                                  ", \"files\": " + strings(a.browserFiles) + "}"
                            : std::string("null");
    out += ", \"dialog\": ";
    out += a.opensDialog() ? "{\"caption\": " + str(a.dialogCaption) +
                                 ", \"source\": " + str(a.dialogSource) + "}"
                           : std::string("null");
    out += ", \"search\": ";
    out += a.searched() ? "{\"prefix\": " + str(a.searchPrefix) +
                              ", \"extension\": " + str(a.searchExtension) +
                              ", \"folder\": " + str(a.searchFolder) +
                              ", \"matches\": " + strings(a.searchMatches) + "}"
                        : std::string("null");
    return out + "}";
}

} // namespace

void writeJson(std::ostream& out, const DiscReport& r, const std::string& folder) {
    out << "{\n  \"schema\": \"discmenu-check/1\",\n";
    out << "  \"folder\": " << str(folder) << ",\n";
    out << "  \"status\": " << r.exitStatus() << ",\n";
    out << "  \"kind\": " << str(kindName(r.kind)) << ",\n";
    out << "  \"state\": {\"CDRoot\": " << str(r.CDRoot) << ", \"CDPath\": " << str(r.CDPath)
        << ", \"CDBase\": " << str(r.CDBase) << ", \"CDVersion\": " << str(r.CDVersion)
        << ", \"JobDate\": " << str(r.JobDate) << ", \"JobName\": " << str(r.JobName)
        << ", \"RMAList\": " << str(r.RMAList) << "},\n";
    out << "  \"header\": {\"lblTitle\": " << str(r.title)
        << ", \"lblRMATitle\": " << str(r.rmaTitle) << ", \"lblVersion\": " << str(r.version)
        << ", \"lblDate\": " << str(r.date) << "},\n";
    out << "  \"jobs\": " << strings(r.jobs) << ",\n";
    out << "  \"fixedItems\": [";
    for (std::size_t i = 0; i < r.fixedItems.size(); ++i)
        out << (i ? "," : "") << "\n    " << item(r.fixedItems[i]);
    out << "\n  ],\n  \"pages\": [";
    for (std::size_t i = 0; i < r.pages.size(); ++i) {
        const Page& p = r.pages[i];
        out << (i ? "," : "") << "\n    {\"id\": " << p.id << ", \"title\": " << str(p.title)
            << ", \"windowTitle\": " << str(p.windowTitle) << ", \"job\": " << str(p.job)
            << ", \"items\": [";
        for (std::size_t k = 0; k < p.items.size(); ++k)
            out << (k ? "," : "") << "\n      " << item(p.items[k]);
        out << "\n    ]}";
    }
    out << "\n  ],\n  \"problems\": [";
    for (std::size_t i = 0; i < r.problems.size(); ++i) {
        const Problem& p = r.problems[i];
        out << (i ? "," : "") << "\n    {\"kind\": " << str(p.kind)
            << ", \"reason\": " << str(p.reason) << ", \"path\": " << str(p.path) << "}";
    }
    out << "\n  ],\n  \"totals\": {\"pages\": " << r.pages.size() << ", \"items\": " << itemCount(r)
        << ", \"problems\": " << r.problems.size() << ", \"folders\": " << r.folders
        << ", \"files\": " << r.files << ", \"bytes\": " << r.bytes << "},\n";
    out << "  \"summary\": " << str(summaryLine(r)) << "\n}\n";
}

} // namespace discmenu::check

#pragma once

#include "app/TraceSink.h"

#include <windows.h>

#include <string>
#include <utility>

namespace discmenu::win32 {

// The support trace's file, appended to through the API itself: each line in one write,
// so a line is never split by another writer, and the program carries no stream library.
class TraceFile : public TraceSink {
public:
    // path: a file to append to; nothing is written when it cannot be opened.
    explicit TraceFile(const std::wstring& path);
    // The process's standard error; not closed at the end.
    static TraceFile standardError();
    ~TraceFile() override;
    TraceFile(TraceFile&& other) noexcept
        : m_owned(other.m_owned), m_file(std::exchange(other.m_file, INVALID_HANDLE_VALUE)) {}
    TraceFile& operator=(TraceFile&&) = delete;

    bool isOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    void writeLine(std::string_view line) override;

private:
    TraceFile(HANDLE file, bool owned) : m_owned(owned), m_file(file) {}
    bool m_owned = true;
    HANDLE m_file = INVALID_HANDLE_VALUE;
};

} // namespace discmenu::win32

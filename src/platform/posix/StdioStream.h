#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace discmenu::posix {

// An output stream onto a C stream (stdout, stderr). The program's entry writes through
// this rather than std::cout and std::cerr: a program that includes <iostream> sets up the
// standard streams and the whole classic locale when it starts, half a mebibyte of the
// C++ library paged in that the window never uses. This stream pays for its locale only
// when it is made. Writes are unbuffered here: the C stream buffers them.
class StdioStream : public std::ostream {
public:
    explicit StdioStream(std::FILE* file) : std::ostream(nullptr), m_buffer(file) {
        rdbuf(&m_buffer);
    }
    StdioStream(const StdioStream&) = delete;
    StdioStream& operator=(const StdioStream&) = delete;

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(std::FILE* file) : m_file(file) {}

    protected:
        int_type overflow(int_type c) override {
            if (traits_type::eq_int_type(c, traits_type::eof()))
                return traits_type::not_eof(c);
            return std::fputc(traits_type::to_char_type(c), m_file) == EOF ? traits_type::eof() : c;
        }
        std::streamsize xsputn(const char* s, std::streamsize n) override {
            return static_cast<std::streamsize>(
                std::fwrite(s, 1, static_cast<std::size_t>(n), m_file));
        }
        int sync() override { return std::fflush(m_file) == 0 ? 0 : -1; }

    private:
        std::FILE* m_file;
    };

    Buffer m_buffer;
};

} // namespace discmenu::posix

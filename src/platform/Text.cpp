#include "platform/Text.h"

#include <algorithm>
#include <array>

namespace discmenu::text {
namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Byte offset of the character with the 0-based index n, or s.size() past the end.
std::size_t offsetOf(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (i < s.size() && n > 0) {
        ++i;
        while (i < s.size() && isContinuation(static_cast<unsigned char>(s[i])))
            ++i;
        --n;
    }
    return i;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one character at s[i]; advances i. Text here is valid UTF-8 (the program
// only handles decoded text), but a stray byte is passed through as itself.
char32_t next(std::string_view s, std::size_t& i) {
    auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

char32_t toLower(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    if ((c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A: pairs of capital and small letter, capital first, except for the
    // two runs where the capital stands on the odd code point.
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 1) ? c + 1 : c;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149)
        return (c % 2 == 0) ? c + 1 : c;
    return c;
}

char32_t toUpper(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 32;
    if (c < 0xE0)
        return c;
    if ((c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    if (c == 0xFF)
        return 0x178;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 0) ? c - 1 : c;
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149)
        return (c % 2 == 1) ? c - 1 : c;
    return c;
}

template <class Map> std::string mapChars(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();)
        appendUtf8(out, map(next(s, i)));
    return out;
}

// Windows-1252 bytes 0x80..0x9F; the five undefined ones keep their own value.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

std::size_t length(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        n += isContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return n;
}

std::string left(std::string_view s, std::size_t n) {
    return std::string(s.substr(0, offsetOf(s, n)));
}

std::string right(std::string_view s, std::size_t n) {
    std::size_t len = length(s);
    return n >= len ? std::string(s) : std::string(s.substr(offsetOf(s, len - n)));
}

std::string mid(std::string_view s, std::size_t start, std::size_t n) {
    const std::string_view rest = s.substr(offsetOf(s, start == 0 ? 0 : start - 1));
    return std::string(rest.substr(0, offsetOf(rest, n)));
}

std::string mid(std::string_view s, std::size_t start) {
    return mid(s, start, s.size());
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string lower(std::string_view s) {
    if (!isAscii(s))
        return mapChars(s, toLower);
    std::string out(s);
    std::ranges::transform(out, out.begin(), lowerAscii);
    return out;
}

std::string upper(std::string_view s) {
    if (!isAscii(s))
        return mapChars(s, toUpper);
    std::string out(s);
    std::ranges::transform(out, out.begin(), upperAscii);
    return out;
}

bool lowerContains(std::string_view s, std::string_view needle) {
    if (!isAscii(s))
        return lower(s).find(needle) != std::string::npos;
    return std::search(s.begin(), s.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return lowerAscii(a) == b; }) != s.end();
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t next = s.find(from, at);
        out += s.substr(at, next - at);
        if (next == std::string_view::npos)
            return out;
        out += to;
        at = next + from.size();
    }
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        // The bytes that follow this first one; -1 where no character starts with it.
        const int extra = c < 0x80   ? 0
                          : c < 0xC2 ? -1
                          : c < 0xE0 ? 1
                          : c < 0xF0 ? 2
                          : c < 0xF5 ? 3
                                     : -1;
        if (extra < 0 || i + extra >= bytes.size())
            return false;
        char32_t cp = c & (0x7F >> (extra + 1));
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if (!isContinuation(cc))
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string fromDiscBytes(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        appendUtf8(out, c >= 0x80 && c <= 0x9F ? cp1252High[c - 0x80] : c);
    }
    return out;
}

} // namespace discmenu::text

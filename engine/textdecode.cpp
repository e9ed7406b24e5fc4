#include "textdecode.h"

#include <cerrno>
#include <iconv.h>

namespace chordvane {

namespace {

// Length of the well-formed UTF-8 sequence at p, 0 when there is none.
int sequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = *p;
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0; // overlong
        if (c == 0xED)
            high = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (end - p < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const int length = sequenceLength(p, end);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

std::string quoteForMessage(std::string_view text)
{
    constexpr int kMaxCharacters = 40;
    static constexpr char kHex[] = "0123456789abcdef";
    const auto escape = [](std::string &out, unsigned char byte) {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    };
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    std::string quoted = "\"";
    for (int characters = 0; p < end; ++characters) {
        if (characters == kMaxCharacters) {
            quoted += "…";
            break;
        }
        const int length = sequenceLength(p, end);
        // C0 and C1 controls start terminal escape sequences; DEL is no text either.
        const bool control =
            length == 1 ? (*p < 0x20 || *p == 0x7f) : length == 2 && p[0] == 0xC2 && p[1] < 0xA0;
        if (length == 0) {
            escape(quoted, *p++);
        } else if (control) {
            for (int i = 0; i < length; ++i)
                escape(quoted, *p++);
        } else if (*p == '\\' || *p == '"') {
            quoted += '\\';
            quoted += static_cast<char>(*p++);
        } else {
            quoted.append(reinterpret_cast<const char *>(p), static_cast<size_t>(length));
            p += length;
        }
    }
    quoted += '"';
    return quoted;
}

namespace {

void appendReplacement(std::string &out)
{
    out += "\xEF\xBF\xBD";
}

// glibc's iconv knows CP932 (Microsoft's Shift_JIS with the NEC and IBM
// extensions), which is what Japanese Windows editors write.
std::string decodeCp932(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: keep ASCII, mark everything else as undecodable.
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else
                appendReplacement(out);
        }
        return out;
    }
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated at the end): skip one byte.
            appendReplacement(out);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

constexpr std::string_view kUtf16Little("\xFF\xFE", 2);
constexpr std::string_view kUtf16Big("\xFE\xFF", 2);
constexpr std::string_view kUtf32Little("\xFF\xFE\0\0", 4);

bool hasUtf16Mark(std::string_view bytes)
{
    const std::string_view mark = bytes.substr(0, 2);
    return (mark == kUtf16Little && bytes.substr(0, 4) != kUtf32Little) || mark == kUtf16Big;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code units after the mark; an unpaired surrogate or a lone last byte
// becomes U+FFFD.
std::string decodeUtf16(std::string_view bytes)
{
    const bool big = bytes.substr(0, 2) == kUtf16Big;
    bytes.remove_prefix(2);
    const auto unit = [&](size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return big ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF)
            appendReplacement(out);
        else
            appendUtf8(out, c);
    }
    if (i < bytes.size())
        appendReplacement(out);
    return out;
}

} // namespace

bool isChordListText(std::string_view bytes)
{
    return hasUtf16Mark(bytes) || bytes.find('\0') == std::string_view::npos;
}

std::string decodeChordListText(std::string_view bytes)
{
    if (hasUtf16Mark(bytes))
        return decodeUtf16(bytes);
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return decodeCp932(bytes);
}

} // namespace chordvane

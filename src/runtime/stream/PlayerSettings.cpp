#include "runtime/stream/PlayerSettings.h"

#include <array>
#include <cstring>
#include <variant>

namespace yelvanis::stream {

namespace {

// OLE variant type codes of the stored settings.
enum TypeCode : std::uint16_t { kInt32 = 3, kDouble = 5, kString = 8, kBool = 11 };

constexpr std::array<std::uint8_t, 4> kHeader{0x00, 0x03, 0x00, 0x00};

using Member = std::variant<std::string PlayerSettings::*, double PlayerSettings::*, std::int32_t PlayerSettings::*,
                            bool PlayerSettings::*>;

struct Setting {
    const char* name;
    Member member;
};

// The order of the record.
const Setting kSettings[] = {
    {"URL", &PlayerSettings::url},
    {"rate", &PlayerSettings::rate},
    {"balance", &PlayerSettings::balance},
    {"currentPosition", &PlayerSettings::currentPosition},
    {"defaultFrame", &PlayerSettings::defaultFrame},
    {"playCount", &PlayerSettings::playCount},
    {"autoStart", &PlayerSettings::autoStart},
    {"currentMarker", &PlayerSettings::currentMarker},
    {"invokeURLs", &PlayerSettings::invokeURLs},
    {"baseURL", &PlayerSettings::baseURL},
    {"volume", &PlayerSettings::volume},
    {"mute", &PlayerSettings::mute},
    {"uiMode", &PlayerSettings::uiMode},
    {"stretchToFit", &PlayerSettings::stretchToFit},
    {"windowlessVideo", &PlayerSettings::windowlessVideo},
    {"enabled", &PlayerSettings::enabled},
    {"enableContextMenu", &PlayerSettings::enableContextMenu},
    {"fullScreen", &PlayerSettings::fullScreen},
    {"SAMIStyle", &PlayerSettings::samiStyle},
    {"SAMILang", &PlayerSettings::samiLang},
    {"SAMIFilename", &PlayerSettings::samiFilename},
    {"captioningID", &PlayerSettings::captioningID},
    {"enableErrorDialogs", &PlayerSettings::enableErrorDialogs},
};

TypeCode typeOf(const Member& m)
{
    switch (m.index()) {
    case 0: return kString;
    case 1: return kDouble;
    case 2: return kInt32;
    default: return kBool;
    }
}

constexpr char32_t kReplacement = 0xFFFD;

std::u16string utf16FromUtf8(const std::string& s)
{
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + size_t(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(s[i + k]);
            ok = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000}; // shorter forms are overlong
        if (!ok || c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(char16_t(kReplacement));
            ++i;
            continue;
        }
        i += size_t(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string utf8FromUtf16(const std::u16string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const char32_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

class Writer {
public:
    void bytes(const std::uint8_t* p, size_t n) { m_out.insert(m_out.end(), p, p + n); }
    void u16(std::uint16_t v) { le(v, 2); }
    void u32(std::uint32_t v) { le(v, 4); }
    void u64(std::uint64_t v) { le(v, 8); }
    std::vector<std::uint8_t> take() { return std::move(m_out); }

private:
    void le(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            m_out.push_back(std::uint8_t(v >> (8 * i)));
    }
    std::vector<std::uint8_t> m_out;
};

// Reads little-endian values and remembers the first thing that went wrong.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& in) : m_in(in) {}

    size_t offset() const { return m_pos; }
    size_t left() const { return m_in.size() - m_pos; }
    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }

    void fail(const std::string& what, size_t at)
    {
        if (m_error.empty())
            m_error = what + " at offset " + std::to_string(at);
    }
    bool need(size_t n, const std::string& what)
    {
        if (failed())
            return false;
        if (left() < n) {
            fail(what + ": record ends after " + std::to_string(left()) + " of " + std::to_string(n) + " bytes",
                 m_pos);
            return false;
        }
        return true;
    }
    std::uint64_t le(int n)
    {
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t(m_in[m_pos + i]) << (8 * i);
        m_pos += size_t(n);
        return v;
    }
    std::uint8_t at(size_t i) const { return m_in[i]; }

private:
    const std::vector<std::uint8_t>& m_in;
    size_t m_pos = 0;
    std::string m_error;
};

} // namespace

std::vector<std::uint8_t> encodeRecord(const PlayerSettings& settings)
{
    Writer w;
    w.bytes(kHeader.data(), kHeader.size());
    for (const Setting& s : kSettings) {
        w.u16(typeOf(s.member));
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(settings.*member)>;
                const T& v = settings.*member;
                if constexpr (std::is_same_v<T, std::string>) {
                    const std::u16string units = utf16FromUtf8(v);
                    w.u32(std::uint32_t((units.size() + 1) * 2)); // the NUL counts
                    for (char16_t u : units)
                        w.u16(u);
                    w.u16(0);
                } else if constexpr (std::is_same_v<T, double>) {
                    std::uint64_t bits;
                    std::memcpy(&bits, &v, sizeof bits);
                    w.u64(bits);
                } else if constexpr (std::is_same_v<T, std::int32_t>) {
                    w.u32(std::uint32_t(v));
                } else {
                    w.u16(v ? 0xFFFF : 0x0000);
                }
            },
            s.member);
    }
    w.u32(std::uint32_t(settings.extentWidth));
    w.u32(std::uint32_t(settings.extentHeight));
    return w.take();
}

std::optional<PlayerSettings> decodeRecord(const std::vector<std::uint8_t>& record, std::string* error)
{
    Reader r(record);
    PlayerSettings out;
    if (r.need(kHeader.size(), "header")) {
        for (size_t i = 0; i < kHeader.size(); ++i)
            if (r.at(i) != kHeader[i])
                r.fail("header is not 00 03 00 00", i);
        r.le(int(kHeader.size()));
    }
    for (const Setting& s : kSettings) {
        const std::string name = std::string("setting ") + s.name;
        if (!r.need(2, name))
            break;
        const size_t start = r.offset();
        const auto code = std::uint16_t(r.le(2));
        if (code != typeOf(s.member)) {
            r.fail(name + ": type code " + std::to_string(code) + " where " + std::to_string(typeOf(s.member))
                       + " belongs",
                   start);
            break;
        }
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(out.*member)>;
                T& v = out.*member;
                if constexpr (std::is_same_v<T, std::string>) {
                    if (!r.need(4, name))
                        return;
                    const size_t countAt = r.offset();
                    const auto count = std::uint32_t(r.le(4));
                    if (count < 2 || count % 2 != 0) {
                        r.fail(name + ": string byte count " + std::to_string(count)
                                   + " is not an even count that holds the NUL",
                               countAt);
                        return;
                    }
                    if (!r.need(count, name))
                        return;
                    std::u16string units;
                    for (std::uint32_t i = 0; i + 2 < count; i += 2) {
                        const size_t unitAt = r.offset();
                        const auto u = char16_t(r.le(2));
                        if (u == 0) {
                            r.fail(name + ": NUL inside the string", unitAt);
                            return;
                        }
                        units.push_back(u);
                    }
                    const size_t nulAt = r.offset();
                    if (r.le(2) != 0) {
                        r.fail(name + ": string does not end in NUL", nulAt);
                        return;
                    }
                    v = utf8FromUtf16(units);
                } else if constexpr (std::is_same_v<T, double>) {
                    if (!r.need(8, name))
                        return;
                    const std::uint64_t bits = r.le(8);
                    std::memcpy(&v, &bits, sizeof v);
                } else if constexpr (std::is_same_v<T, std::int32_t>) {
                    if (!r.need(4, name))
                        return;
                    v = std::int32_t(std::uint32_t(r.le(4)));
                } else {
                    if (!r.need(2, name))
                        return;
                    v = r.le(2) != 0;
                }
            },
            s.member);
        if (r.failed())
            break;
    }
    if (r.need(8, "extent")) {
        out.extentWidth = std::int32_t(std::uint32_t(r.le(4)));
        out.extentHeight = std::int32_t(std::uint32_t(r.le(4)));
        if (r.left() != 0)
            r.fail(std::to_string(r.left()) + " bytes after the extent", r.offset());
    }
    if (r.failed()) {
        if (error)
            *error = r.error();
        return std::nullopt;
    }
    return out;
}

} // namespace yelvanis::stream

#include "screens/chronology/ChronologyBody.h"

#include <array>
#include <cctype>

namespace yelvanis::testing {

namespace {

constexpr std::array<std::string_view, 12> kMonths{"Ocak",    "Şubat",  "Mart",  "Nisan", "Mayıs", "Haziran",
                                                   "Temmuz",  "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};

// Reads a date line from left to right; every read either consumes what it
// asked for or fails.
class Cursor {
public:
    explicit Cursor(std::string_view s) : m_s(s) {}

    bool literal(std::string_view lit)
    {
        if (m_s.substr(m_pos, lit.size()) != lit)
            return false;
        m_pos += lit.size();
        return true;
    }
    // Between min and max digits, no leading zero.
    std::optional<int> number(size_t minDigits, size_t maxDigits)
    {
        size_t n = 0;
        while (m_pos + n < m_s.size() && n <= maxDigits && std::isdigit(static_cast<unsigned char>(m_s[m_pos + n])))
            ++n;
        if (n < minDigits || n > maxDigits || m_s[m_pos] == '0')
            return std::nullopt;
        const int value = std::stoi(std::string(m_s.substr(m_pos, n)));
        m_pos += n;
        return value;
    }
    std::optional<int> year() { return number(4, 4); }
    std::optional<int> day() { return number(1, 2); }
    std::optional<int> month()
    {
        for (size_t i = 0; i < kMonths.size(); ++i) {
            const std::string_view name = kMonths[i];
            // A whole word only: "Mart" must not take the start of "Martı".
            const size_t end = m_pos + name.size();
            if (m_s.substr(m_pos, name.size()) == name && (end == m_s.size() || m_s[end] == ' ')) {
                m_pos = end;
                return int(i) + 1;
            }
        }
        return std::nullopt;
    }
    bool done() const { return m_pos == m_s.size(); }

private:
    std::string_view m_s;
    size_t m_pos = 0;
};

bool leap(int year)
{
    // Julian before the Gregorian reform, Gregorian after it.
    if (year % 4 != 0)
        return false;
    return year < 1583 || year % 100 != 0 || year % 400 == 0;
}

int daysIn(int month, int year)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : days[month - 1];
}

// Each form in turn on a fresh cursor; the first that reads the whole line wins.
std::optional<DateLine> readForm(std::string_view s)
{
    using Form = std::optional<DateLine> (*)(Cursor&);
    static constexpr Form forms[] = {
        // 1302
        [](Cursor& c) -> std::optional<DateLine> {
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y}, {*y}};
        },
        // 1349-1352
        [](Cursor& c) -> std::optional<DateLine> {
            auto y = c.year();
            if (!(y.has_value() && c.literal("-")))
                return std::nullopt;
            auto y2 = c.year();
            if (!(y2.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y}, {*y2}, 0, true};
        },
        // "1299 - 1300 ", with its trailing blank
        [](Cursor& c) -> std::optional<DateLine> {
            auto y = c.year();
            if (!(y.has_value() && c.literal(" - ")))
                return std::nullopt;
            auto y2 = c.year();
            if (!(y2.has_value() && c.literal(" ") && c.done()))
                return std::nullopt;
            return DateLine{{*y}, {*y2}, 0, true};
        },
        // Ocak 1789
        [](Cursor& c) -> std::optional<DateLine> {
            auto m = c.month();
            if (!(m.has_value() && c.literal(" ")))
                return std::nullopt;
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y, *m}, {*y, *m}};
        },
        // 11 Mart 1836
        [](Cursor& c) -> std::optional<DateLine> {
            auto d = c.day();
            if (!(d.has_value() && c.literal(" ")))
                return std::nullopt;
            auto m = c.month();
            if (!(m.has_value() && c.literal(" ")))
                return std::nullopt;
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y, *m, *d}, {*y, *m, *d}};
        },
        // Eylül - Ekim 1912
        [](Cursor& c) -> std::optional<DateLine> {
            auto m = c.month();
            if (!(m.has_value() && c.literal(" - ")))
                return std::nullopt;
            auto m2 = c.month();
            if (!(m2.has_value() && c.literal(" ")))
                return std::nullopt;
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y, *m}, {*y, *m2}, 0, true};
        },
        // 2-3 Ağustos 1903
        [](Cursor& c) -> std::optional<DateLine> {
            auto d = c.day();
            if (!(d.has_value() && c.literal("-")))
                return std::nullopt;
            auto d2 = c.day();
            if (!(d2.has_value() && c.literal(" ")))
                return std::nullopt;
            auto m = c.month();
            if (!(m.has_value() && c.literal(" ")))
                return std::nullopt;
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y, *m, *d}, {*y, *m, *d2}, 0, true};
        },
        // 27 Ocak - 12 Şubat 1921
        [](Cursor& c) -> std::optional<DateLine> {
            auto d = c.day();
            if (!(d.has_value() && c.literal(" ")))
                return std::nullopt;
            auto m = c.month();
            if (!(m.has_value() && c.literal(" - ")))
                return std::nullopt;
            auto d2 = c.day();
            if (!(d2.has_value() && c.literal(" ")))
                return std::nullopt;
            auto m2 = c.month();
            if (!(m2.has_value() && c.literal(" ")))
                return std::nullopt;
            auto y = c.year();
            if (!(y.has_value() && c.done()))
                return std::nullopt;
            return DateLine{{*y, *m, *d}, {*y, *m2, *d2}, 0, true};
        },
        // 1760 (1173)
        [](Cursor& c) -> std::optional<DateLine> {
            auto y = c.year();
            if (!(y.has_value() && c.literal(" (")))
                return std::nullopt;
            auto h = c.number(3, 4);
            if (!(h.has_value() && c.literal(")") && c.done()))
                return std::nullopt;
            return DateLine{{*y}, {*y}, *h};
        },
    };
    for (Form form : forms) {
        Cursor c(s);
        if (auto d = form(c))
            return d;
    }
    return std::nullopt;
}

bool dayExists(const Day& d)
{
    return d.day == 0 || d.day <= daysIn(d.month, d.year);
}

// A Hijri year lasts about 354.37 days; year 1 began in July 622.
bool hijriOverlaps(int hijri, int year)
{
    const double begins = 622.54 + (hijri - 1) * (354.367 / 365.2425);
    const double ends = begins + 354.367 / 365.2425;
    return begins < year + 1 && ends > year;
}

std::string quoted(std::string_view s)
{
    return "\"" + std::string(s) + "\"";
}

} // namespace

std::optional<DateLine> parseDateLine(std::string_view line, std::string* why)
{
    auto fail = [&](std::string reason) -> std::optional<DateLine> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };
    const std::optional<DateLine> d = readForm(line);
    if (!d)
        return fail("not a date line form");
    if (!dayExists(d->start) || !dayExists(d->end))
        return fail("no such day");
    if (d->span && !after(d->end, d->start))
        return fail("the span does not end after it starts");
    if (d->hijri && !hijriOverlaps(d->hijri, d->start.year))
        return fail("Hijri year " + std::to_string(d->hijri) + " does not fall in " + std::to_string(d->start.year));
    return d;
}

bool after(const Day& a, const Day& b)
{
    if (a.year != b.year)
        return a.year > b.year;
    if (a.month == 0 || b.month == 0 || a.month != b.month)
        return a.month != 0 && b.month != 0 && a.month > b.month;
    return a.day != 0 && b.day != 0 && a.day > b.day;
}

Body parseBody(std::string_view text)
{
    Body body;
    auto fault = [&](int line, const std::string& what) {
        body.faults.push_back("line " + std::to_string(line) + ": " + what);
    };

    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos) {
            fault(int(lines.size()) + 1, "the last line does not end in CR LF");
            lines.push_back(text.substr(pos));
            break;
        }
        std::string_view line = text.substr(pos, lf - pos);
        if (line.empty() || line.back() != '\r')
            fault(int(lines.size()) + 1, "a line ends in LF without CR");
        else
            line.remove_suffix(1);
        if (line.find('\r') != std::string_view::npos)
            fault(int(lines.size()) + 1, "a CR inside the line");
        lines.push_back(line);
        pos = lf + 1;
    }
    // One more blank line may close the body.
    if (lines.size() % 3 == 1 && lines.back() == " ")
        lines.pop_back();
    if (lines.size() % 3 != 0)
        fault(int(lines.size()), "the body does not end with a whole entry");

    for (size_t i = 0; i + 2 < lines.size(); i += 3) {
        const int n = int(i) + 1;
        Entry e{.date = std::string(lines[i]), .line = n};
        std::string why;
        if (auto d = parseDateLine(lines[i], &why))
            e.when = *d;
        else
            fault(n, quoted(lines[i]) + ": " + why);

        const std::string_view desc = lines[i + 1];
        if (desc.size() < 2 || desc[0] != ' ' || desc[1] == ' ') {
            fault(n + 1, "the description does not begin with exactly one blank");
        } else {
            e.description = std::string(desc.substr(1));
            if (e.description.back() == ' ')
                fault(n + 1, "the description ends in a blank");
            if (e.description.find("  ") != std::string::npos)
                fault(n + 1, "two blanks inside the description");
            const std::string_view d = e.description;
            if (!(d.ends_with(".") || d.ends_with(".”") || d.ends_with("!”") || d.ends_with("?”")))
                fault(n + 1, "the description does not end with a full stop");
        }

        if (lines[i + 2] != " ")
            fault(n + 2, "the separator is not a single blank");

        // Oldest first: no entry may lie before one that came earlier. An
        // unreadable date line has no place in that order.
        if (why.empty()) {
            for (const Entry& earlier : body.entries) {
                if (earlier.when.start.year != 0 && after(earlier.when.start, e.when.start)) {
                    fault(n, quoted(e.date) + " comes after the later " + quoted(earlier.date) + " of line "
                                 + std::to_string(earlier.line));
                    break;
                }
            }
        }
        body.entries.push_back(std::move(e));
    }
    return body;
}

} // namespace yelvanis::testing

#include "core/file_facts.h"

#include <cstdio>
#include <vector>

namespace brontal {
namespace {

// "3;2;0" -> {3, 2, 0}: group sizes from the decimal point leftwards; a final
// 0 repeats the group before it, otherwise the rest is one group.
std::vector<int> groupSizes(std::string_view grouping) {
    std::vector<int> sizes;
    int value = 0;
    bool any = false;
    for (char c : grouping) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            any = true;
        } else if (c == ';') {
            sizes.push_back(value);
            value = 0;
            any = false;
        }
    }
    if (any) sizes.push_back(value);
    return sizes;
}

std::string grouped(std::string digits, const NumberFormat& f) {
    std::vector<int> sizes = groupSizes(f.grouping);
    if (sizes.empty() || sizes[0] == 0 || f.thousandSep.empty()) return digits;
    bool repeatLast = sizes.back() == 0;
    if (repeatLast) sizes.pop_back();
    std::string out;
    size_t end = digits.size();
    size_t k = 0;
    while (end > 0) {
        size_t size = k < sizes.size() ? static_cast<size_t>(sizes[k])
                                       : (repeatLast ? static_cast<size_t>(sizes.back()) : end);
        if (size == 0 || size > end) size = end;
        std::string part = digits.substr(end - size, size);
        out = out.empty() ? part : part + f.thousandSep + out;
        end -= size;
        ++k;
    }
    return out;
}

} // namespace

std::string sizeText(std::uint64_t bytes, const NumberFormat& f) {
    // Exact: hundredths of a kB = bytes * 100 / 1024, rounded half to even.
    // Split so that no file length can overflow.
    std::uint64_t low = (bytes % 1024) * 100;
    std::uint64_t q = (bytes / 1024) * 100 + low / 1024, r = low % 1024;
    if (r > 512 || (r == 512 && (q & 1))) ++q;
    std::uint64_t whole = q / 100;
    unsigned cents = static_cast<unsigned>(q % 100);
    std::string integer = whole == 0 && !f.leadingZero ? std::string() : grouped(std::to_string(whole), f);
    char decimals[3];
    std::snprintf(decimals, sizeof decimals, "%02u", cents);
    return integer + f.decimalSep + decimals + " kB";
}

std::uint64_t dateShown(const FileTimes& times) { return times.written; }

std::string dateText(const LocalDateTime& t, std::string_view dateSep, std::string_view timeSep) {
    char buf[32];
    auto two = [&](int v) {
        std::snprintf(buf, sizeof buf, "%02d", v);
        return std::string(buf);
    };
    std::snprintf(buf, sizeof buf, "%04d", t.year);
    std::string year = buf;
    std::string d(dateSep), s(timeSep);
    return two(t.day) + d + two(t.month) + d + year + " " + two(t.hour) + s + two(t.minute) + s + two(t.second);
}

} // namespace brontal

#pragma once
// The facts of a file as values (its last-write time, the user's number
// settings) and the size and date texts made of them, for the selected file
// and for the copies found.
#include <cstdint>
#include <string>
#include <string_view>

namespace brontal {

// The user's number settings; grouping in the LOCALE_SGROUPING notation ("3;0", "3;2;0").
struct NumberFormat {
    std::string decimalSep = ",";
    std::string thousandSep = ".";
    std::string grouping = "3;0";
    bool leadingZero = true;
};

// bytes / 1024 to the nearest hundredth (a tie goes to the even digit), then " kB".
std::string sizeText(std::uint64_t bytes, const NumberFormat& format);

struct LocalDateTime {
    int year, month, day, hour, minute, second;
};
// The three times a file system keeps of a file, in 100-ns ticks.
struct FileTimes {
    std::uint64_t created = 0, accessed = 0, written = 0;
};
// The one a file's date shows: its last write. A copy keeps that time from
// its source, where its creation time is the moment of the copy, and a read
// moves the access time: only the last write tells one build from another.
std::uint64_t dateShown(const FileTimes& times);

// "dd/mm/yyyy hh:mm:ss", with the locale's separators.
std::string dateText(const LocalDateTime& t, std::string_view dateSep = "/", std::string_view timeSep = ":");

} // namespace brontal

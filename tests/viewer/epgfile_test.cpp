// The line reader of the EPG data file takes the same pieces as fgets into
// a 1000-byte buffer, whatever the line lengths, zero bytes and line ends.
#include "viewer/epgfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/boxroot.h"

namespace {

std::vector<std::string> Pieces(const std::string& path, bool withReader)
{
    std::vector<std::string> out;
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        return out;
    if (withReader) {
        EpgLineReader reader(f);
        while (reader.next()) {
            out.push_back(reader.line());
            EXPECT_EQ(reader.count(), static_cast<long>(out.size()));
        }
        EXPECT_STREQ(reader.line(), "");
    } else {
        char line[EPG_LINE_SIZE];
        while (fgets(line, sizeof line, f))
            out.push_back(line);
    }
    fclose(f);
    return out;
}

// Many lines of lengths 0 to 2499 in turn, so that pieces of every kind
// meet the reader's block boundaries.
std::string ManyLines()
{
    std::string s;
    for (int i = 0; i < 200; ++i) {
        s += std::string(static_cast<size_t>(i * 397 % 2500), static_cast<char>('a' + i % 26));
        s += i % 3 ? "\n" : "\r\n";
    }
    return s;
}

}  // namespace

TEST(EpgLineReader, TakesThePiecesFgetsTakes)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"no final line feed", "GC 1\nC 1 Uno"},
        {"only line feeds", "\n\n\n"},
        {"998 bytes and a line feed", std::string(998, 'd') + "\nX 5\n"},
        {"999 bytes and a line feed", std::string(999, 'd') + "\nX 5\n"},
        {"1000 bytes and a line feed", std::string(1000, 'd') + "\nX 5\n"},
        {"a 2500-byte line without an end", std::string(2500, 'D')},
        {"zero bytes", std::string("T ab\0cd\nS x\n\0\n", 14)},
        {"carriage returns", "T a\r\nS b\r\n\r\n"},
        {"many lines", ManyLines()},
    };
    TempBoxRoot root;
    for (const Case& c : cases) {
        root.write("/epg.dat", c.bytes);
        const std::string path = root.path("/epg.dat");
        EXPECT_EQ(Pieces(path, true), Pieces(path, false)) << c.name;
    }
}

TEST(EpgLineReader, WithoutAFileThereIsNothingToRead)
{
    EpgLineReader reader(nullptr);
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.count(), 0);
    EXPECT_STREQ(reader.line(), "");
}

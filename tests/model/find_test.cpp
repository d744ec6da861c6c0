// Finding objects by label or name: folding case and accents over ISO-8859-1,
// matching anywhere in a word, the order of the matches, empty and dead records.
#include "model/find.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

IWORecord labelled(const char *label, const char *name = "", int x = 0, int y = 0) {
    IWORecord r;
    r.id = 1;
    r.type = 101;
    r.x = (int16_t)x;
    r.y = (int16_t)y;
    std::strncpy(r.label, label, sizeof r.label - 1);
    std::strncpy(r.name, name, sizeof r.name - 1);
    return r;
}

} // namespace

// Every accented letter of ISO-8859-1 compares as its base letter, capitals
// as small letters; × and ÷ stay as they are.
TEST(Find, FoldsCaseAndAccents) {
    const struct {
        const char *in, *out;
    } cases[] = {
        {"ABCXYZxyz", "abcxyzxyz"},
        {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "aaaaaaaaaaaa"},
        {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "eeeeeeee"},
        {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "iiiiiiii"},
        {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "oooooooooooo"},
        {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "uuuuuuuu"},
        {"\xC7\xE7\xD1\xF1\xDD\xFD\xFF\xD0\xF0", "ccnnyyydd"},
        {"\xC6\xE6\xDF\xDE\xFE", "aeaessthth"},
        {"a\xA0"
         "b\xD7\xF7",
         "a b\xD7\xF7"},
        {"[@`{~", "[@`{~"},
    };
    for (const auto &c : cases) EXPECT_EQ(foldtext(c.in, std::strlen(c.in)), c.out) << c.in;
    // A fixed-size field without its NUL ends at its size.
    EXPECT_EQ(foldtext("ABCDEF", 3), "abc");
    EXPECT_EQ(foldtext("AB\0CD", 5), "ab");
}

// Label or name, anywhere in a word, whatever the case or accents on either side.
TEST(Find, MatchesLabelOrNameAnywhere) {
    std::vector<IWORecord> t = {
        labelled("Caf\xE9 Noir"), // 0
        labelled("CAFE au lait"), // 1
        labelled("D\xE9"
                 "caf\xE9in\xE9"),    // 2: decaf inside a word
        labelled("Tea", "cafeteria"), // 3: by name
        labelled("Water"),            // 4
    };
    using V = std::vector<int>;
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "cafe"), V({0, 1, 2, 3}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "CAF\xC9"), V({0, 1, 2, 3}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "e au l"), V({1}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "INE"), V({2}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "teria"), V({3}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "a"), V({0, 1, 2, 3, 4}));
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "coffee"), V());
    // Nothing typed finds nothing, as does a text longer than any label.
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), ""), V());
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), std::string(60, 'a')), V());
    // A label filling its field to the last byte is read to its end, no further.
    IWORecord full = labelled("");
    std::memset(full.label, 'x', sizeof full.label);
    full.label[sizeof full.label - 1] = 'y';
    std::memset(full.name, 0, sizeof full.name);
    EXPECT_EQ(findIWOs(&full, 1, "xy"), V({0}));
}

// Reading order: by top edge, then left edge, then table order; a line whose
// height points upwards counts from its higher end. Dead records never match.
TEST(Find, ReadingOrderAndDeadRecords) {
    std::vector<IWORecord> t = {
        labelled("x", "", 500, 300), // 0
        labelled("x", "", 100, 300), // 1
        labelled("x", "", 900, 100), // 2
        labelled("x", "", 100, 300), // 3: same place as 1, later in the table
        labelled("x", "", 100, 900), // 4: a line going up to y 50
        labelled("x", "", 0, 0),     // 5: dead
        labelled("x", "", 0, 0),     // 6: an empty slot
    };
    t[4].height = -850;
    t[5].type = DEADTYPE;
    t[6].id = TRANSPARENT;
    EXPECT_EQ(findIWOs(t.data(), (int)t.size(), "X"), std::vector<int>({4, 2, 1, 3, 0}));
}

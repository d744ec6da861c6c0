// ideaweave-cli render: arguments, exit codes, the written image, and the
// diagram file left untouched.
#include "platform/pngwrite.h"
#include "testutil.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string IN = fixture("store/fixtures/r97.iwo");

} // namespace

// Bad usage exits 1 with a reason and the usage text, before anything is
// written.
TEST(CliRender, BadUsage) {
    TempDir t;
    std::string out = t.path("o.png"), err;
    std::istringstream cases(text(fixture("cli/renderbad.txt")));
    int n = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line[0] == '#') continue;
        n++;
        std::string a = line.substr(0, line.find(" |"));
        while (!a.empty() && a.back() == ' ') a.pop_back();
        for (auto [from, to] : {std::pair<std::string, std::string>{"IN", IN}, {"OUT", out}}) {
            size_t p = a.find(from);
            if (p != std::string::npos) a.replace(p, from.size(), to);
        }
        EXPECT_EQ(runcli("render " + a, nullptr, &err), 1) << line;
        EXPECT_NE(err.find("usage: ideaweave-cli"), std::string::npos) << line;
        EXPECT_TRUE(slurp(out).empty()) << line;
    }
    EXPECT_EQ(n, 22);
    // The reason comes first.
    runcli("render " + IN + " " + out + " --select 99", nullptr, &err);
    EXPECT_EQ(err.rfind("ideaweave-cli render: no object with id 99", 0), 0u) << err;
}

// A good run writes a palette PNG of the window's size; rendering is
// repeatable, and the diagram file is never modified, not even when OUT
// names it.
TEST(CliRender, WritesWindowAndLeavesInAlone) {
    TempDir t;
    std::string in = t.path("d.iwo"), err;
    std::vector<uint8_t> original = slurp(IN);
    spit(in, original);
    std::string opts = " --size 320x200 --zoom 0.5 --scroll 40,60 --grid --highlight --select 1,7";
    ASSERT_EQ(runcli("render " + in + " " + t.path("a.png") + opts, nullptr, &err), 0) << err;
    ASSERT_EQ(runcli("render " + in + " " + t.path("b.png") + opts, nullptr, &err), 0) << err;
    int w = 0, h = 0;
    std::vector<uint8_t> pens;
    ASSERT_TRUE(readpenpng(t.path("a.png").c_str(), &w, &h, &pens, nullptr));
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);
    EXPECT_EQ(slurp(t.path("a.png")), slurp(t.path("b.png")));

    ASSERT_EQ(runcli("render " + in + " " + t.path("c.png"), nullptr, &err), 0) << err;
    ASSERT_TRUE(readpenpng(t.path("c.png").c_str(), &w, &h, &pens, nullptr));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);

    EXPECT_EQ(runcli("render " + in + " " + in, nullptr, &err), 1);
    EXPECT_EQ(slurp(in), original);
}

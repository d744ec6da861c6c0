// export_test.cpp - the SVG writer, the outline export and the export command.
#include "exportfixture.h"

#include "export/outline.h"
#include "connect/connect.h"
#include "export/svg.h"
#include "platform/files.h"

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SVG : public View {};

} // namespace

// The whole document of a diagram with every kind of part, compared byte for
// byte with the stored file (checked by hand against the templates).
TEST_F(SVG, EveryKindMatchesTheStoredDocumentAndIsWellFormed) {
    everykind();
    const std::string doc = svgdocument();
    EXPECT_TRUE(samebytes(doc, "export/golden/everykind.svg"));
    if (!have("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    TempDir t;
    spit(t.path("e.svg"), std::vector<uint8_t>(doc.begin(), doc.end()));
    EXPECT_EQ(0, std::system(("xmllint --noout " + t.path("e.svg")).c_str()));
}

// The page's size keeps its tenths of a millimetre (US Letter is 215.9 x
// 279.4 mm), the viewBox is the page in units, ids are XML names, and numbers
// have a decimal point (in every locale: Pictures.SameInEveryLocale).
TEST_F(SVG, PageSizeIdsAndNumbers) {
    IWODiagram.paperwidth = 2159;
    IWODiagram.paperheight = 2794;
    const int n = place(102, 101, 103, 333, 211, false);
    std::strcpy(IWO[n].label, "Soft");
    const std::string doc = svgdocument();
    EXPECT_NE(doc.find("<svg width=\"215.9mm\" height=\"279.4mm\"  viewBox=\"0 0 2159 2794\""),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find("<g id=\"iwo" + std::to_string(IWO[n].id) + "\">"), std::string::npos);
    EXPECT_NE(doc.find('.', doc.find("<text")), std::string::npos); // a fraction was written
    // A family name can't end the CSS string it is written in, nor escape
    // what follows: quotes and backslashes are left out.
    std::strcpy(IWO[n].fontname, "My 'Odd\" Fo\\nt.font");
    const std::string odd = svgdocument();
    const size_t at = odd.find("font-family=\"");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(odd.substr(at, odd.find(',', at) - at), "font-family=\"'My Odd Font'") << odd;
}

namespace {

// A mind map: Centre with branches A (holding C) and B, connectors made in
// that order, and an object on its own.
class Outline : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        copytext(IWODiagram.title, sizeof IWODiagram.title, "T & co");
        copytext(IWODiagram.author, sizeof IWODiagram.author, "Au");
        copytext(IWODiagram.description, sizeof IWODiagram.description, "De <b>");
        N = node(105, 1000, 1000, "Centre");
        A = node(101, 300, 300, "A");
        B = node(101, 1600, 300, "B");
        C = node(101, 300, 2000, "C & <D> \xe9");
        L = node(101, 1600, 2000, "Loose");
        link(N, A);
        link(N, B);
        link(A, C);
    }
    int node(int type, int x, int y, const char *label) {
        int n = place(type, x, y, 300, 200, false);
        std::strcpy(IWO[n].label, label);
        return n;
    }
    void link(int a, int b) { connect(a, 150, 100, b, 150, 100); }
    std::string out(ExportFormat f, int focus) {
        selectedIWO = (int16_t)focus;
        return outlinetext(f);
    }
    int N = 0, A = 0, B = 0, C = 0, L = 0;
};

} // namespace

// From the central node: each connector, its end node and at once that node's
// branch, then the rest in table order. A locked object starts a paragraph:
// in text even after an entry without a label, in HTML only after a label.
// Without a selection: table order, the extra line after a label only.
TEST_F(Outline, CentralNodeAndLockedObjects) {
    IWO[B].locked = 1;
    EXPECT_TRUE(samebytes(out(EXPORT_TXT, N), "export/golden/centre.txt"));
    EXPECT_TRUE(samebytes(out(EXPORT_HTML, N), "export/golden/centre.html"));
    EXPECT_TRUE(samebytes(out(EXPORT_MD, N), "export/golden/centre.md"));
    EXPECT_TRUE(samebytes(out(EXPORT_TXT, -99), "export/golden/unselected.txt"));
    EXPECT_TRUE(samebytes(out(EXPORT_MD, -99), "export/golden/unselected.md"));
}

// A node reached twice is listed at each connector, its branch only once; a
// connector cycle ends; every entry is written, the last ones included.
TEST_F(Outline, NodeReachedTwiceAndCycle) {
    link(B, C);
    link(C, N);
    selectedIWO = (int16_t)N;
    rearrangeclones(0);
    std::vector<int> order;
    for (size_t j = 1; j < outlineorder.size(); j++) order.push_back(outlineorder[j].index);
    const int c1 = 6, c2 = 7, c3 = 8, c4 = 9, c5 = 10;
    EXPECT_EQ((std::vector<int>{N, c1, A, c3, C, c5, N, c2, B, c4, C, L}), order);
    EXPECT_TRUE(samebytes(out(EXPORT_TXT, N), "export/golden/twice.txt"));
    EXPECT_TRUE(samebytes(out(EXPORT_OPML, N), "export/golden/twice.opml"));
}

// Without a focus object Markdown and OPML nest every tree from its root, the
// largest first (here the central node), then a separate tree, then what no
// connector reaches; with a focus, its tree comes first and the others follow
// nested all the same.
TEST_F(Outline, TreesWithAndWithoutFocus) {
    const int X = node(101, 100, 2500, "X");
    link(X, node(101, 600, 2500, "Y"));
    EXPECT_TRUE(samebytes(out(EXPORT_MD, -99), "export/golden/trees.md"));
    EXPECT_TRUE(samebytes(out(EXPORT_MD, A), "export/golden/treesfroma.md"));
}

// The placeholders of a new diagram stay out of Markdown and OPML (text keeps
// them); an empty diagram's OPML still has an outline, of the title.
TEST_F(Outline, EmptyDiagramAndPlaceholders) {
    IWONumber = 1;
    copytext(IWODiagram.title, sizeof IWODiagram.title, "No Title Given");
    copytext(IWODiagram.author, sizeof IWODiagram.author, "Author Not Specified");
    copytext(IWODiagram.description, sizeof IWODiagram.description, "No Description Given");
    EXPECT_EQ("<!-- title -->\n\n", out(EXPORT_MD, -99));
    EXPECT_TRUE(samebytes(out(EXPORT_OPML, -99), "export/golden/empty.opml"));
    EXPECT_EQ("No Title Given\nNo Description Given\nAuthor Not Specified\n\n\n",
              out(EXPORT_TXT, -99));
    copytext(IWODiagram.title, sizeof IWODiagram.title, "Plan \xe9");
    EXPECT_TRUE(samebytes(out(EXPORT_OPML, -99), "export/golden/plan.opml"));
}

// Folds: an item whose connectors to its children are all folded carries the
// fold mark in Markdown (only the top of a folded branch); OPML names the
// lines shown that are expanded. A node with one child folded away and one
// shown is not folded; the child folded away is, as the fold reaches below it.
TEST_F(Outline, Folds) {
    const int c1 = 6, c3 = 8; // Centre -> A, A -> C
    IWO[c3].fold = 1;
    foldnode(c3);
    EXPECT_TRUE(samebytes(out(EXPORT_MD, -99), "export/golden/folds.md"));
    EXPECT_TRUE(samebytes(out(EXPORT_OPML, -99), "export/golden/folds.opml"));
    IWO[c3].fold = 0;
    foldnode(c3);
    IWO[c1].fold = 1;
    foldnode(c1);
    EXPECT_TRUE(samebytes(out(EXPORT_MD, -99), "export/golden/folds.md"));
}

// Labels a reader would take for markup are escaped, and two common readers,
// cmark and Python-Markdown, read the result to the same nesting and text.
TEST_F(Outline, MarkdownReadersAgree) {
    const char *labels[] = {"1. Intro", "2) Two", "- dash", "+ plus", "* star", "# hash",
                            "<b>x</b>", "a & b",  "x_y_",   "[l](u)", "`c`",    "> quote"};
    int parent = C;
    for (const char *l : labels) {
        const int n = node(101, 100, 100, l);
        link(parent, n);
        parent = n;
    }
    const std::string md = out(EXPORT_MD, -99);
    EXPECT_NE(md.find("- 1\\. Intro\n"), std::string::npos) << md;
    EXPECT_NE(md.find("- \\- dash\n"), std::string::npos) << md;
    if (std::system("PATH=/usr/bin:$PATH python3 -c 'import markdown' 2>/dev/null") != 0 ||
        !have("cmark"))
        GTEST_SKIP() << "cmark or Python-Markdown is not installed";
    TempDir t;
    spit(t.path("o.md"), std::vector<uint8_t>(md.begin(), md.end()));
    const std::string cmd = "PATH=/usr/bin:$PATH python3 " + fixture("tools/mdnesting.py") + " " +
                            t.path("o.md") + " >" + t.path("log");
    EXPECT_EQ(0, std::system(cmd.c_str())) << text(t.path("log"));
    EXPECT_NE(text(t.path("log")).find("2\tli\tA"), std::string::npos) << text(t.path("log"));
}

namespace {

// ideaweave-cli copied into a directory of its own, with converters beside it.
struct Program {
    TempDir t;
    std::string cli = t.path("ideaweave-cli");
    Program() { EXPECT_EQ(0, std::system(("cp " + std::string(IW_CLI_PATH) + " " + cli).c_str())); }
    // A converter that runs a shell script body.
    void converter(const char *name, const std::string &body) {
        const std::string path = t.path(name);
        const std::string script = "#!/bin/sh\n" + body + "\n";
        spit(path, std::vector<uint8_t>(script.begin(), script.end()));
        EXPECT_EQ(0, ::chmod(path.c_str(), 0755));
    }
    // The converters run only when IDEAWEAVE_CONVERTERS names their directory.
    bool converters = true;
    int run(const std::string &args, std::string *out = nullptr, std::string *err = nullptr) {
        // Logs go to a temporary directory of the test's own.
        const std::string cmd =
            "TMPDIR=" + t.dir + " " + (converters ? "IDEAWEAVE_CONVERTERS=" + t.dir + " " : "") +
            cli + " export " + args + " >" + t.path("stdout") + " 2>" + t.path("stderr");
        const int status = std::system(cmd.c_str());
        if (out) *out = text(t.path("stdout"));
        if (err) *err = text(t.path("stderr"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

const std::string R97 = fixture("scripts/render-release97/input.iwo");

} // namespace

TEST(ExportCommand, ExitCodes) {
    TempDir t;
    std::string err;
    const std::string md = t.path("x.md");
    EXPECT_EQ(1, runcli("export " + R97 + " " + t.path("x.svg.doc"), nullptr, &err)) << err;
    EXPECT_EQ(1, runcli("export " + R97 + " " + md + " --focus 999", nullptr, &err));
    EXPECT_NE(err.find("no object with id 999"), std::string::npos) << err;
    EXPECT_EQ(1, runcli("export " + R97 + " " + md + " --focus", nullptr, &err));
    EXPECT_EQ(2, runcli("export " + t.path("none.iwo") + " " + md, nullptr, &err));
    EXPECT_EQ(2, runcli("export " + R97 + " " + t.path("no/dir/x.txt"), nullptr, &err));
    EXPECT_NE(err.find("Sorry. Could not save file : " + t.path("no/dir/x.txt")), std::string::npos)
        << err;
    EXPECT_EQ(0, runcli("export " + R97 + " " + md + " --focus 1"));
    EXPECT_FALSE(slurp(md).empty());
}

// PNG and PDF through the user's converters (IDEAWEAVE_CONVERTERS), to names
// that a shell would take apart ("a.svg.png" is a PNG); a converter that
// fails, is noisy, writes nothing or is missing makes the export fail with the
// log's path. Without IDEAWEAVE_CONVERTERS no converter runs at all.
TEST(ExportCommand, Converters) {
    if (!have("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
    Program p;
    const std::string dir = PathPart(std::string(IW_CLI_PATH));
    EXPECT_EQ(0, std::system(("cp " + dir + "/svg2png " + dir + "/svg2pdf " + p.t.dir).c_str()));
    const std::string png = p.t.path("a b'c\";$(x).svg.png"), pdf = p.t.path("d e;f.pdf");
    std::string out, err;
    ASSERT_EQ(0, p.run(R97 + " " + quote(png), &out, &err)) << err;
    EXPECT_EQ("message: Exporting drawing. Please be patient...\n", out);
    std::vector<uint8_t> b = slurp(png);
    ASSERT_GT(b.size(), 8u);
    EXPECT_EQ(0, std::memcmp(b.data(), "\x89PNG", 4));
    ASSERT_EQ(0, p.run(R97 + " " + quote(pdf), &out, &err)) << err;
    if (have("pdftoppm")) {
        const std::string cmd = "pdftoppm -r 10 -png " + quote(pdf) + " " + p.t.path("page");
        EXPECT_EQ(0, std::system(cmd.c_str()));
    }

    const char *broken[] = {
        "exit 1",                                             // fails silently
        "rsvg-convert -f png -o \"$2\" \"$1\"; echo warning", // writes, but talks
        "exit 0",                                             // writes nothing
        ": >\"$2\"",                                          // leaves an empty file
        "printf 'PNG-' >\"$2\"; exit 1",                      // stops half-way
    };
    int n = 0;
    for (const char *body : broken) {
        p.converter("svg2png", body);
        // What was there before stays whole.
        const std::string target = p.t.path("f" + std::to_string(n++) + ".png");
        spit(target, {'o', 'l', 'd'});
        EXPECT_EQ(2, p.run(R97 + " " + target, &out, &err)) << body;
        EXPECT_EQ(slurp(target), std::vector<uint8_t>({'o', 'l', 'd'})) << body;
        const std::string m = "Couldn't export in the format requested.\\nPlease check svgtools is "
                              "correctly installed.\\n An error log can be found in /";
        const size_t at = err.find(m);
        ASSERT_NE(at, std::string::npos) << err;
        const std::string log =
            err.substr(at + m.size() - 1, err.find(" | ", at) - at - m.size() + 1);
        EXPECT_EQ(0u, log.find(p.t.dir + "/ideaweave-")) << log;
        EXPECT_FALSE(slurp(log).empty()) << log;
    }
    // The broken converter is left beside the program: without the variable
    // the PNG is drawn in process all the same, silently.
    p.converters = false;
    ASSERT_EQ(0, p.run(R97 + " " + p.t.path("own.png"), &out, &err)) << err;
    EXPECT_EQ("", out);
    EXPECT_EQ(0, std::memcmp(slurp(p.t.path("own.png")).data(), "\x89PNG", 4));
    p.converters = true;
    ::unlink(p.t.path("svg2pdf").c_str());
    EXPECT_EQ(2, p.run(R97 + " " + p.t.path("g.pdf"), &out, &err));
    EXPECT_NE(err.find("IdeaweaveLog-"), std::string::npos) << err;

    // A converter that works, onto a place that can't be written: the cause
    // is named, not the converter, and nothing is left there.
    p.converter("svg2png", "exec " + dir + "/svg2png \"$@\"");
    EXPECT_EQ(2, p.run(R97 + " " + p.t.path("no/dir/h.png"), &out, &err));
    EXPECT_NE(err.find("Sorry. Could not save file : " + p.t.path("no/dir/h.png") +
                       "\\nNo such file or directory"),
              std::string::npos)
        << err;
    EXPECT_EQ(err.find("svgtools"), std::string::npos) << err;
    // No conversion leaves its working directory behind.
    EXPECT_EQ(
        0, std::system(
               ("test -z \"$(ls -d " + p.t.dir + "/ideaweave-*/export-* 2>/dev/null)\"").c_str()));
}

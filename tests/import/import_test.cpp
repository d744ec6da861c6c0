// import_test.cpp - the outline readers, the diagram an outline becomes, its
// limits and bad input, and the round trip through the outline exports.
#include "testutil.h"

#include "export/outline.h"
#include "import/import.h"
#include "model/select.h"
#include "store/diagramfile.h"

#include <cstdlib>

namespace {

// An outline as lines: two spaces per level, the text, " [fold]" when folded.
std::string tree(const OutlineDoc &o) {
    std::string out;
    std::vector<int> depth;
    for (const OutlineItem &it : o.items) {
        depth.push_back(it.parent < 0 ? 0 : depth[(size_t)it.parent] + 1);
        out += std::string(2 * (size_t)depth.back(), ' ') + it.text + (it.folded ? " [fold]" : "") +
               "\n";
    }
    return out;
}

struct Read {
    ExportFormat format;
    std::string text;
};

OutlineDoc read(ExportFormat f, const std::string &text) {
    OutlineDoc o;
    std::string why;
    EXPECT_TRUE(readoutline(f, text, o, why)) << why;
    return o;
}

// The diagram's own outline, written as Markdown from its central node.
std::string diagramoutline() {
    selectedIWO = -99;
    return outlinetext(EXPORT_MD);
}

class Import : public Core {
  protected:
    // Builds the outline's diagram; the note it leaves.
    std::string build(const OutlineDoc &o, const std::string &stem = "notes") {
        std::string why, note;
        EXPECT_EQ(1, buildoutlinediagram(o, stem, why, note)) << why;
        return note;
    }
};

} // namespace

// Markdown written by hand: the only level-1 heading is the title; headings
// hold deeper headings and the lists under them; lists of every marker nest;
// emphasis, code and links give their text; paragraphs are counted as left
// out; the fold comment in both spellings folds an item.
TEST(OutlineRead, MarkdownByHand) {
    const OutlineDoc o = read(EXPORT_MD, "# Agenda\n\nIntro text.\n\n"
                                         "## Morning\n\n"
                                         "- Coffee *strong* and **hot**\n"
                                         "  * Beans `arabica`\n"
                                         "  * [Water](http://x)\n"
                                         "- Talks <!-- markmap: fold -->\n"
                                         "  1. Keynote\n"
                                         "  2) Panel <!-- fold -->\n"
                                         "     + Q&amp;A\n\n"
                                         "Afternoon\n---------\n\n"
                                         "+ Workshop\n\n"
                                         "```\ncode\n```\n");
    EXPECT_EQ("Agenda", o.title);
    EXPECT_FALSE(o.ourown);
    EXPECT_EQ(2, o.leftout);
    EXPECT_EQ("Morning\n"
              "  Coffee strong and hot\n"
              "    Beans arabica\n"
              "    Water\n"
              "  Talks [fold]\n"
              "    Keynote\n"
              "    Panel [fold]\n"
              "      Q&A\n"
              "Afternoon\n"
              "  Workshop\n",
              tree(o));
}

// Which first heading is the title, and the marks of the program's own
// Markdown: the title mark keeps several top-level items as separate trees,
// also without a title; author and description come from their paragraphs,
// the escaped form of the same words is an ordinary paragraph.
TEST(OutlineRead, MarkdownTitleAndHeader) {
    OutlineDoc o = read(EXPORT_MD, "# One\n\n# Two\n\n- a\n");
    EXPECT_EQ("", o.title);
    EXPECT_EQ("One\nTwo\n  a\n", tree(o));

    o = read(EXPORT_MD, "- a\n\n# Late\n");
    EXPECT_EQ("", o.title);
    EXPECT_EQ("a\nLate\n", tree(o));

    o = read(EXPORT_MD, "# T &amp; co <!-- title -->\n\n*Author:* Ana *M.*\n\n"
                        "*Description:* De &lt;b&gt;\n\n\\*Author:\\* not\n\n- a\n- b\n");
    EXPECT_EQ("T & co", o.title);
    EXPECT_EQ("Ana M.", o.author);
    EXPECT_EQ("De <b>", o.description);
    EXPECT_TRUE(o.ourown);
    EXPECT_EQ(1, o.leftout);
    EXPECT_EQ("a\nb\n", tree(o));

    o = read(EXPORT_MD, "<!-- title -->\n\n- a\n- b\n");
    EXPECT_TRUE(o.ourown);
    EXPECT_EQ("", o.title);
}

// OPML from another outliner: title and ownerName from the head, text (or
// title) attributes, any depth; expansionState names the lines shown that are
// expanded, so a shown parent not named is folded and what is hidden under it
// keeps its own state. Without expansionState nothing is folded.
TEST(OutlineRead, OpmlFromAnotherOutliner) {
    const std::string body =
        "<body><outline text=\"A\" _note=\"n\"><outline text=\"B\"><outline text=\"C\"/>"
        "</outline><outline title=\"D\"/></outline><outline text=\"E &amp; &#233;\">"
        "<outline text=\"F\"><outline text=\"G\"/></outline></outline></body></opml>";
    OutlineDoc o = read(EXPORT_OPML, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                     "<opml version=\"1.0\"><head><title> Plan </title>"
                                     "<ownerName>Bo</ownerName><expansionState>1, 4"
                                     "</expansionState></head>" +
                                         body);
    EXPECT_EQ("Plan", o.title);
    EXPECT_EQ("Bo", o.author);
    EXPECT_FALSE(o.ourown);
    EXPECT_EQ("A\n  B [fold]\n    C\n  D\nE & \xc3\xa9\n  F [fold]\n    G\n", tree(o));
    o = read(EXPORT_OPML, "<opml version=\"2.0\"><head/>" + body);
    EXPECT_EQ("A\n  B\n    C\n  D\nE & \xc3\xa9\n  F\n    G\n", tree(o));
    o = read(EXPORT_OPML, "<opml version=\"2.0\" xmlns:x=\"urn:x-ideaweave:outline\"><head>"
                          "<x:description>De</x:description><expansionState/></head>" +
                              body);
    EXPECT_TRUE(o.ourown);
    EXPECT_EQ("De", o.description);
    EXPECT_EQ("A [fold]\n  B\n    C\n  D\nE & \xc3\xa9 [fold]\n  F\n    G\n", tree(o));
}

// Indented text: tabs (four columns) or spaces, any line ends, blank lines
// skipped, a line indented between two levels a child of the shallower;
// ISO-8859-1 when not UTF-8, a byte-order mark dropped.
TEST(OutlineRead, IndentedText) {
    OutlineDoc o =
        read(EXPORT_TXT, "\xEF\xBB\xBFRoot\r\n\tA\r\n\t\tA1\r\n\n    B\r  B?\n      B1\n C\n");
    EXPECT_EQ("Root\n  A\n    A1\n  B\n  B?\n    B1\n  C\n", tree(o));
    o = read(EXPORT_TXT, "Ana M\xfcller\n  x\n");
    EXPECT_EQ("Ana M\xc3\xbcller\n  x\n", tree(o));
}

// Every kind of bad input is refused with its reason.
TEST(OutlineRead, BadInput) {
    const struct {
        ExportFormat f;
        std::string text, why;
    } cases[] = {
        {EXPORT_MD, "", "The file is empty"},
        {EXPORT_TXT, " \n\t\n", "no lines of text"},
        {EXPORT_MD, "Just a paragraph.\n", "no headings and no list items"},
        {EXPORT_MD, std::string("- a\0b", 5), "binary data"},
        {EXPORT_TXT, std::string("a\n\0", 3), "binary data"},
        {EXPORT_TXT, std::string(MAXOUTLINEBYTES + 1, 'a'), "too large"},
        {EXPORT_OPML, "<opml><body><outline text=\"a\"></body></opml>",
         "not well-formed XML: mismatched tag at line 1"},
        {EXPORT_OPML, "<opml><head/></opml>", "no <body>"},
        {EXPORT_OPML, "<opml><head/><body/></opml>", "no outline elements"},
        {EXPORT_OPML, "<rss><body/></rss>", "not OPML"},
        {EXPORT_OPML, "<x:opml xmlns:x=\"u\"><body/></x:opml>", "not OPML"},
        {EXPORT_OPML,
         "<!DOCTYPE opml [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;\">]>"
         "<opml><body><outline text=\"&b;\"/></body></opml>",
         "declares entities"},
        {EXPORT_OPML,
         "<!DOCTYPE opml [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
         "<opml><body><outline text=\"&x;\"/></body></opml>",
         "declares entities"},
    };
    for (const auto &c : cases) {
        OutlineDoc o;
        std::string why;
        EXPECT_FALSE(readoutline(c.f, c.text, o, why)) << c.text.substr(0, 60);
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
    }
}

// Nesting 10,000 levels deep is read in full, without running out of stack,
// and then refused for the table with the count of its items; the deepest
// item hangs at the bottom of one chain.
TEST(OutlineRead, DeepNesting) {
    const int n = 10000;
    std::string md, opml = "<opml><body>", text;
    for (int k = 0; k < n; k++) md += "- ";
    md += "x\n";
    for (int k = 0; k < n; k++) opml += "<outline text=\"x\">";
    for (int k = 0; k < n; k++) opml += "</outline>";
    opml += "</body></opml>";
    // Tabs: the deepest text the size limit lets in.
    const int tabs = 1400;
    for (int k = 0; k < tabs; k++) text += std::string((size_t)k, '\t') + "x\n";
    const struct {
        ExportFormat f;
        const std::string &text;
        int items;
    } cases[] = {{EXPORT_MD, md, n}, {EXPORT_OPML, opml, n}, {EXPORT_TXT, text, tabs}};
    for (const auto &c : cases) {
        const OutlineDoc o = read(c.f, c.text);
        ASSERT_EQ((size_t)c.items, o.items.size());
        int depth = 0;
        for (int k = c.items - 1; k >= 0; k = o.items[(size_t)k].parent) depth++;
        EXPECT_EQ(c.items, depth);
        std::string why;
        EXPECT_EQ(0, outlinefits(o, "deep", why));
        EXPECT_NE(why.find("has " + std::to_string(c.items) + " items"), std::string::npos) << why;
    }
}

// (What an outline becomes as a diagram, its limits and notes, and the import
// command are tested by the scripted sessions import-*.)

// The program's own Markdown and OPML of every sample come back as the same
// trees, labels, folds, title, author and description: exporting the
// imported diagram gives the same bytes.
TEST_F(Import, SamplesRoundTrip) {
    TempDir t;
    for (const char *sample : {"mindmap", "flowchart", "classes", "sample"}) {
        for (ExportFormat f : {EXPORT_MD, EXPORT_OPML}) {
            std::string message;
            ASSERT_TRUE(readIWOdiagramfile(
                std::string(IW_TEST_DATADIR) + "/../data/samples/" + sample + ".iwo", &message))
                << message;
            selectedIWO = -99;
            const std::string first = outlinetext(f);
            const std::string path =
                t.path(std::string(sample) + (f == EXPORT_MD ? ".md" : ".opml"));
            spit(path, std::vector<uint8_t>(first.begin(), first.end()));
            std::string why, note;
            ASSERT_EQ(1, loadoutlinefile(path, why, note)) << why;
            EXPECT_EQ("", note) << sample;
            selectedIWO = -99;
            EXPECT_EQ(first, outlinetext(f)) << sample;
        }
    }
}

// Labels that look like Markdown syntax survive the program's own Markdown.
TEST_F(Import, MarkupLabelsRoundTrip) {
    const char *labels[] = {"1. Intro", "2) Two",     "- dash",    "+ plus",  "* star",
                            "# hash",   "<b>x</b>",   "a &amp; b", " lead",   "trail ",
                            "x_y_z_",   "[l](u)",     "`c`",       "!img",    "\\back",
                            "a  *b* c", "1986. Year", "=",         "> quote", "~~s~~"};
    OutlineDoc o;
    o.items.push_back({"root", -1, true}); // folded: the folds leave no undo step
    for (const char *l : labels) o.items.push_back({l, 0, false});
    // Built over a saved diagram with a step to undo: a new diagram, unsaved,
    // with nothing to undo.
    recorded(place(101, 100, 100));
    IWODiagram.saved = 1;
    build(o);
    EXPECT_EQ(0, IWODiagram.saved);
    EXPECT_FALSE(canundo());
    const std::string out = diagramoutline();
    OutlineDoc back = read(EXPORT_MD, out);
    ASSERT_EQ(o.items.size(), back.items.size()) << out;
    for (size_t k = 0; k < o.items.size(); k++)
        EXPECT_EQ(o.items[k].text, back.items[k].text) << out;
}

// Files: the extension decides the reader; anything else, a missing file and
// a refusal say why with the file's name.
TEST_F(Import, Files) {
    TempDir t;
    std::string why, note;
    EXPECT_EQ(0, loadoutlinefile(t.path("x.doc"), why, note));
    EXPECT_NE(why.find(".md, .markdown"), std::string::npos) << why;
    EXPECT_EQ(0, loadoutlinefile(t.path("none.md"), why, note));
    EXPECT_NE(why.find("Could not read file : " + t.path("none.md")), std::string::npos) << why;
    spit(t.path("a.MARKDOWN"), {'-', ' ', 'a', '\n'});
    EXPECT_EQ(1, loadoutlinefile(t.path("a.MARKDOWN"), why, note)) << why;
    spit(t.path("a.opml"), {'-', ' ', 'a', '\n'});
    EXPECT_EQ(0, loadoutlinefile(t.path("a.opml"), why, note));
    EXPECT_NE(why.find("not well-formed"), std::string::npos) << why;
    EXPECT_NE(why.find(t.path("a.opml")), std::string::npos) << why;
}

// The import command: a refusal shown in a requester; with unsaved changes
// ideaweave-cli import: usage, refusals and the diagram written.
TEST(ImportCommand, ExitCodes) {
    TempDir t;
    spit(t.path("in.md"), {'#', ' ', 'T', '\n', '-', ' ', 'a', '\n'});
    std::string out, err;
    EXPECT_EQ(1, runcli("import " + t.path("in.md") + " " + t.path("out.svg"), &out, &err));
    EXPECT_EQ(1, runcli("import " + t.path("in.doc") + " " + t.path("out.iwo"), &out, &err));
    EXPECT_EQ(2, runcli("import " + t.path("none.md") + " " + t.path("out.iwo"), &out, &err));
    EXPECT_NE(err.find("Could not read file"), std::string::npos) << err;
    EXPECT_EQ(2, runcli("import " + t.path("in.md") + " " + t.path("no/out.iwo"), &out, &err));
    EXPECT_EQ(0, runcli("import " + t.path("in.md") + " " + t.path("out.iwo"), &out, &err)) << err;
    EXPECT_EQ(0, runcli("info " + t.path("out.iwo"), &out, &err));
    EXPECT_NE(out.find("\"label\": \"a\""), std::string::npos);
    EXPECT_NE(out.find("\"title\": \"T\""), std::string::npos);
    // What the import changed is said, as the editor says it.
    spit(t.path("long.txt"), {'r', '\t', 'x', '\n'});
    EXPECT_EQ(0, runcli("import " + t.path("long.txt") + " " + t.path("out.iwo"), &out, &err));
    EXPECT_EQ("1 label was changed to fit the diagram: texts too long were cut at a word, "
              "characters a diagram can't hold became \"?\".\n",
              out);
}

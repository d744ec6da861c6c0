// The clipboard's three forms, and paste of data from elsewhere: what is
// refused leaves the diagram as it was.
#include "app/clipboard.h"
#include "model/bytes.h"
#include "store/diagramfile.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "testutil.h"

#include <cstring>
#include <string>

namespace {

class Clipboard : public Core {
  protected:
    void SetUp() override {
        Core::SetUp();
        opendrawspacewindow(800, 600);
        DiagramExists = 1;
    }
    // The table as bytes, to see that a refused paste changed nothing.
    static std::string table() {
        std::string out;
        uint8_t rec[IWORECORDSIZE];
        for (int i = 0; i <= IWONumber; i++) {
            writeIWOrecord(IWO[i], rec);
            out.append((const char *)rec, sizeof rec);
        }
        return out;
    }
};

// The forms of a node with a child and a locked grandchild, copied from the
// node: labels in outline order (UTF-8), the picture framed round the objects.
TEST_F(Clipboard, FormsOfASelection) {
    // The child comes first in the table: the text follows the branch instead.
    const int b = place(101, 1600, 1400, 300, 200);
    const int far = place(101, 100, 100, 100, 100);
    const int a = place(101, 1000, 1000, 300, 200);
    connect(a, 50, 50, b, 50, 50);
    copytext(IWO[a].label, sizeof IWO[a].label, "Root");
    copytext(IWO[b].label, sizeof IWO[b].label, "Caf\xe9"); // ISO-8859-1
    copytext(IWO[far].label, sizeof IWO[far].label, "Other");
    IWO[b].locked = 1;
    selectonly({b, a});
    const std::vector<int> set = clipboardset();
    ASSERT_EQ(set.size(), 3u); // a, b and the connector between them
    const ClipboardForms f = clipboardforms(set);
    EXPECT_EQ(f.at(TEXTMIME), "Root\nCaf\xc3\xa9\n");
    // The picture's frame holds both boxes and not the far object.
    EXPECT_TRUE(samebytes(f.at(SVGMIME), "app/golden/branch.svg"));
}

// Data from elsewhere is checked as a file is: a wrong or newer release, or
// bytes too short for the header, paste nothing and say so; a connector to an
// object that is not there is dropped.
TEST_F(Clipboard, RefusedDataPastesNothing) {
    const int a = place(101, 1000, 1000, 300, 200);
    const int b = place(105, 1600, 1400, 300, 200);
    connect(a, 50, 50, b, 50, 50);
    IWO[a].visible = 0; // hidden, as in a folded branch
    selectonly({a, b});
    const std::string good = clipboardforms(clipboardset()).at(OBJECTSMIME);
    const std::string before = table();
    const int16_t id = IWOid;

    std::string zero = good, newer = good;
    put2byte((uint8_t *)zero.data() + 255, 0);
    put2byte((uint8_t *)newer.data() + 255, 98);
    put2byte((uint8_t *)newer.data() + FILEHEADERSIZE + 1258, 98);
    for (const std::string &bad : {zero, newer, good.substr(0, 300), std::string()}) {
        EXPECT_EQ(pastebytes(bad), 0);
        EXPECT_EQ(table(), before);
        EXPECT_EQ(IWOid, id);
    }
    EXPECT_NE(lines().find("Not a valid Ideaweave file"), std::string::npos);
    EXPECT_NE(lines().find("Upgrade to a newer version"), std::string::npos);

    // Only the connector's record and its start object: the connector goes,
    // and the object, with no folded connector to unfold it, is shown.
    std::string partial =
        good.substr(0, (size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE + 2 * IWORECORDSIZE);
    const std::string connector =
        good.substr((size_t)FILEHEADERSIZE + DIAGRAMRECORDSIZE + 3 * IWORECORDSIZE);
    partial += connector;
    const int n = IWONumber;
    EXPECT_EQ(pastebytes(partial), 1);
    ASSERT_EQ(IWONumber, n + 1);
    EXPECT_EQ(IWO[n].type, 101);
    EXPECT_EQ(IWO[n].visible, 1);

    // Two records with one id get an id each.
    const std::string first = partial.substr(0, partial.size() - 2 * IWORECORDSIZE);
    const std::string object = partial.substr(first.size(), IWORECORDSIZE);
    EXPECT_EQ(pastebytes(first + object + object), 1);
    ASSERT_EQ(IWONumber, n + 3);
    EXPECT_NE(IWO[n + 1].id, IWO[n + 2].id);
}

// Plain text becomes a Text object with the first 49 characters a label can
// hold; characters beyond ISO-8859-1 and control characters are left out.
TEST_F(Clipboard, TextBecomesATextObject) {
    const int n = IWONumber;
    EXPECT_EQ(pastetext("  \xe2\x82\xac caf\xc3\xa9\tline\ttwo " + std::string(60, 'x')), 1);
    ASSERT_EQ(IWONumber, n + 1);
    EXPECT_EQ(IWO[n].type, TEXTTYPE);
    const std::string label(IWO[n].label);
    EXPECT_EQ(label.size(), 49u);
    EXPECT_EQ(label.substr(0, 18), "caf\xe9 line two xxxx");
    // What the label couldn't take is told, as the text requester tells it.
    EXPECT_NE(lines().find("requester: Ideaweave Warning | \u201C\u20AC\u201D cannot be stored: "
                           "labels take Western European (ISO-8859-1) characters only, so the "
                           "paste left them out.\\nA label holds at most 49 characters: the "
                           "last 25 characters of the pasted text were left out. | Okay"),
              std::string::npos)
        << lines();
    EXPECT_EQ(pastetext("\xe2\x82\xac\x01"), 0); // nothing a label can hold
    EXPECT_EQ(IWONumber, n + 1);
    EXPECT_NE(lines().find("requester: Ideaweave Error | Sorry. Nothing was pasted.\\n"
                           "\u201C\u20AC\u201D cannot be stored"),
              std::string::npos);
}

// The same text pasted again lands beside the first, as pasted objects do;
// each paste is one undo step. Text that fits is pasted without a word.
TEST_F(Clipboard, RepeatedTextPastesMoveOn) {
    const std::string text = "\xc3\x9cn\xc3\xaf"
                             "c\xc3\xb6"
                             "d\xc3\xa9 \xe2\x80\x94 "
                             "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";
    const int n = IWONumber;
    ASSERT_EQ(pastetext(text), 1);
    EXPECT_STREQ(IWO[n].label, "\xdcn\xef"
                               "c\xf6"
                               "d\xe9");
    EXPECT_NE(lines().find("\u201C\u2014\u201D \u201C\u65E5\u201D \u201C\u672C\u201D "
                           "\u201C\u8A9E\u201D cannot be stored"),
              std::string::npos)
        << lines();
    ASSERT_EQ(pastetext(text), 1);
    ASSERT_EQ(pastetext("short"), 1);
    ASSERT_EQ(IWONumber, n + 3);
    EXPECT_EQ(IWO[n + 1].x, IWO[n].x + 20);
    EXPECT_EQ(IWO[n + 1].y, IWO[n].y + 20);
    EXPECT_EQ(IWO[n + 2].x, IWO[n].x + 40);
    EXPECT_EQ(IWO[n + 2].y, IWO[n].y + 40);
    const std::string said = lines();
    ASSERT_EQ(pastetext("fits"), 1);
    EXPECT_EQ(lines(), said) << "nothing left out, nothing said";
    EXPECT_EQ(undocount(), 4);
}

// Select All and Copy with a folded branch: the picture is framed round what
// it shows, however far away the hidden objects lie.
TEST_F(Clipboard, PictureFrameLeavesHiddenObjectsOut) {
    const int a = place(101, 1000, 1000, 300, 200);
    const int b = place(101, 1600, 1400, 300, 200);
    connect(a, 50, 50, b, 50, 50);
    const std::string shown = clipboardforms({a, b, IWONumber - 1}).at(SVGMIME);
    const int far = place(101, 100, 2700, 100, 100);
    const int c = connect(a, 50, 50, far, 50, 50);
    IWO[far].visible = 0;
    IWO[c].visible = 0;
    for (int i = 1; i < IWONumber; i++) IWO[i].selected = 1;
    selectedIWO = (int16_t)a;
    const std::vector<int> set = clipboardset();
    const std::string svg = clipboardforms(set).at(SVGMIME);
    auto viewbox = [](const std::string &s) {
        const size_t at = s.find("viewBox=\"");
        return at == std::string::npos ? std::string() : s.substr(at, s.find('"', at + 9) - at);
    };
    EXPECT_FALSE(viewbox(shown).empty());
    EXPECT_EQ(viewbox(svg), viewbox(shown));
}

} // namespace

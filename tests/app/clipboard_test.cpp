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
    EXPECT_EQ(pastetext("\xe2\x82\xac\x01"), 0); // nothing a label can hold
    EXPECT_EQ(IWONumber, n + 1);
}

} // namespace

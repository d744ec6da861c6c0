// iwo.h - the object record (IWO), the object table and the type catalogue.
//
// Every diagram object is one fixed-size record of 1442 bytes; all objects of
// the open diagram live in the global table IWO in drawing order. There is no
// allocation of objects: creation fills the next free slot, deletion shifts the
// records above down.
//
// Public functions (indices are table indices, all return 1):
//   deleteIWO(n)             mark record n empty (id -99, type 35), no shifting
//   swapIWO(a, b)            exchange two records
//   bufferIWO(from, to)      copy record from over record to
//   duplicateIWO(n)          append a copy of n (+50,+50), recorded as a creation
//   downjigIWO(n)            remove n by shifting the records above it down
//   upjigIWO(n)              shift records 0..n-1 up one place (send to back)
//   upjigIWO2(from, to)      records to+1..from take their lower neighbour
//   downjigIWO2(from, to)    records from..to-1 take their upper neighbour
//   resolvefont(n)           point record n's font at its own fontname
//   setIWOtypenames()        fill the type names of the catalogue
//   setIWOhelptext()         fill the tool help texts of the catalogue
//   writeIWOrecord(r, p)     serialise a record to 1442 big-endian bytes
//   readIWOrecord(r, p)      deserialise 1442 bytes into a record
//
// Record layout (big-endian; s16 signed 16-bit):
//   OFFSET SIZE DESCRIPTION
//        0    2 id            unique id; -99 empty slot; 1009 the shadow record
//        2    2 type          type number; 35 dead record / end marker
//        4   26 name          object name, NUL-terminated
//       30    2 x             left edge (lines: start x), 0.1 mm units
//       32    2 y             top edge (lines: start y)
//       34    2 width         width (lines: signed distance to the end point)
//       36    2 height        height (lines: signed distance in y)
//       38    2 linecolour    outline pen
//       40    2 lineweight    outline width
//       42    2 fillcolour    fill pen; -99 not filled
//       44    8 font          text attribute: u32 name pointer (kept as read),
//                             u16 size, u8 style, u8 flags
//       52  256 fontname      label font name
//      308    2 labelx        label position, percent of width
//      310    2 labely        label position, percent of height
//      312    2 labelposition chosen label placement
//      314    2 fontcolour    label text pen
//      316   50 label         label text
//      366    2 labelcolour   label background pen
//      368    2 labelfilled   1 = label background filled
//      370    1 drawnum       used entries of draw
//      371    1 highlightnum  used entries of highlight
//      372  680 draw[20]      drawing parts, 34 bytes each (layout below)
//     1052  170 highlight[5]  selection outline parts
//     1222   34 erase         area cleared when the object is erased
//     1256   96 reserved      kept exactly as read
//     1352   2x5 connectstart, connectstartx, connectstarty,
//                             connectstartspare, connectstartclamp
//     1362   2x5 connectend, connectendx, connectendy, connectendspare,
//                             connectendclamp
//     1372   24 handlex[12]   handle x percentages ([9] label handle)
//     1396   24 handley[12]   handle y percentages; [0] = connections count
//     1420    2 group         group number (>= 1 grouped)
//     1422    2 reserved1422  -99 after reset or delete
//     1424    2 locked
//     1426    2 selected
//     1428    2 nodefold
//     1430    2 fold
//     1432    2 visible
//     1434    2 reserved1434
//     1436    6 reserved1436[3]
//
// Drawpart layout (34 bytes):
//   OFFSET SIZE DESCRIPTION
//       +0    1 kind          primitive code, 0 unused
//       +1   13 px            x coordinates, signed percent
//      +14   13 py            y coordinates, signed percent
//      +27    1 pad           kept exactly as read
//      +28    2 linecolour
//      +30    2 fillcolour
//      +32    2 lineweight
#pragma once
#include <cstdint>

constexpr int IWORECORDSIZE = 1442;   // bytes of one object record on disk
constexpr int DRAWPARTSIZE = 34;      // bytes of one drawpart on disk
constexpr int IWOTABLESIZE = 1010;    // records in the object table
constexpr int SHADOWIWO = 1009;       // index of the shadow record
constexpr int MAXIWO = 1000;          // object limit
constexpr int MAXDRAWNUM = 20;        // entries of draw
constexpr int MAXHIGHLIGHTNUM = 5;    // entries of highlight
constexpr int TRANSPARENT = -99;      // none: no fill, no attachment, empty slot
constexpr int HARDTRANSPARENT = -999; // fill pen of a part that is never filled
constexpr int DEADTYPE = 35;          // deleted record, scratch record, end marker
constexpr int NOOUTLINETYPE = 37;     // the shadow record while it shows no outline
constexpr int TYPETABLESIZE = 150;    // catalogue entries (type numbers up to 147)
// Object types (the type field); the palette's tool ids are the same numbers.
constexpr int RECTANGLETYPE = 101;
constexpr int SOFTRECTTYPE = 102; // rectangle with rounded corners
constexpr int SPOLYTYPE = 103;    // no geometry of its own
constexpr int DIAMONDTYPE = 104;
constexpr int ELLIPSETYPE = 105;
constexpr int CIRCLETYPE = 106;
constexpr int LINETYPE = 107;      // a free line: width and height are a signed vector
constexpr int CONNECTORTYPE = 108; // a connector: a line whose ends stay attached
constexpr int TEXTTYPE = 109;      // a text object: drawn by its label alone
constexpr int PARATYPE = 110;      // parallelogram
constexpr int PARALEFTTYPE = 111;  // no geometry of its own
constexpr int TRAPEZIUMTYPE = 112;
constexpr int SQUARETYPE = 113; // no geometry of its own
constexpr int HEXAGONTYPE = 114;
constexpr int PENTAGONTYPE = 115;
constexpr int TARGETTYPE = 116; // no geometry of its own
constexpr int RIGHTTRIANGLETYPE = 117;
constexpr int TRIANGLETYPE = 118;
constexpr int CLOUD1TYPE = 119;
constexpr int CLOUD2TYPE = 120;
constexpr int THOUGHTTYPE = 121;
constexpr int LIGHTTYPE = 122; // lightning flash
constexpr int EXCLAMTYPE = 123;
constexpr int STARTYPE = 124;
constexpr int ACTORTYPE = 125;
constexpr int CLASSTYPE = 126;
constexpr int PROCESS1TYPE = 127;
constexpr int PROCESS2TYPE = 128;
constexpr int STARTSTOPTYPE = 129;
constexpr int CIRCLEORTYPE = 130;
constexpr int LASTSHAPETYPE = 130; // the last built-in shape
constexpr int USERTYPEBASE = 131;  // user object k (1..) has type USERTYPEBASE + k
constexpr int FIRSTUSERTYPE = 132; // "User 1"
constexpr int LASTUSERTOOL = 143;  // "User 12", the last user object with a tool
constexpr int LASTUSERTYPE = 144;  // "User 13", handled like the user objects
constexpr int LASTTYPE = 147;      // the catalogue's last type number

// Drawing-part kinds (the kind byte of a drawpart).
enum PartKind : int {
    PARTNONE = 0,     // unused entry
    PARTOUTLINE = 1,  // closed outline, px[5]/py[5] corner rounding
    PARTBOX = 2,      // box between two corners in the fill pen
    PARTBAR = 3,      // box inset by the object's line weight on every side
    PARTHBAR = 4,     // box inset at top and bottom
    PARTVBAR = 5,     // box inset left and right
    PARTELLIPSE = 6,  // centre, then radii
    PARTPOLYGON = 7,  // polygon through the listed points
    PARTLINE = 8,     // straight line
    PARTTRIANGLE = 9, // triangle of three points (kinds 9 and 10, export only)
    PARTTRIANGLE2 = 10,
    PARTTEXTHIGHLIGHT = 12,  // the highlight entry of a Text object
    PARTCONNECTOR = 13,      // straight line of a connector
    PARTLINEEND = 16,        // a line end's kind is its end style + PARTLINEEND
    PARTENDNONE = 17,        // line end without a mark
    PARTENDSQUARE = 18,      // 18 to 21: square
    PARTENDDISC = 22,        // 22 to 25: disc
    PARTENDDIAMOND = 26,     // 26 to 29: diamond
    PARTENDOPENDIAMOND = 30, // 30 to 33: open diamond
    PARTENDARROW = 34,       // arrow-head pointing along the line
    PARTENDARROWBACK = 35,   // arrow-head pointing back to the start
    PARTHALFELLIPSE = 42,    // half-ellipse through three points
};
// True for the kinds of a line-end mark (PARTENDSQUARE to PARTENDARROWBACK).
constexpr bool lineendmark(int kind) { return kind >= PARTENDSQUARE && kind <= PARTENDARROWBACK; }
constexpr int MINSIZE = 20; // smallest width and height edits leave a shape

// A text attribute as stored in records: the name pointer is meaningless on
// disk and kept only so that records are written back byte for byte.
struct TextAttr {
    uint32_t ta_Name = 0;  // stored name pointer, never dereferenced
    uint16_t ta_YSize = 0; // font size in pixels
    uint8_t ta_Style = 0;  // style bits
    uint8_t ta_Flags = 0;  // font flags
};

struct DrawPart {
    int8_t kind = 0;        // primitive code, 0 = unused
    int8_t px[13] = {};     // x coordinates, percent of the width
    int8_t py[13] = {};     // y coordinates, percent of the height
    uint8_t pad = 0;        // never interpreted
    int16_t linecolour = 0; // pen of this primitive
    int16_t fillcolour = 0; // fill pen of this primitive
    int16_t lineweight = 0; // line width of this primitive
};

struct IWORecord {
    int16_t id = 0;
    int16_t type = 0;
    char name[26] = {};
    int16_t x = 0, y = 0, width = 0, height = 0;
    int16_t linecolour = 0, lineweight = 0, fillcolour = 0;
    TextAttr font;
    char fontname[256] = {};
    int16_t labelx = 0, labely = 0, labelposition = 0, fontcolour = 0;
    char label[50] = {};
    int16_t labelcolour = 0, labelfilled = 0;
    uint8_t drawnum = 0, highlightnum = 0;
    DrawPart draw[MAXDRAWNUM];
    DrawPart highlight[MAXHIGHLIGHTNUM];
    DrawPart erase;
    uint8_t reserved1256[96] = {};
    int16_t connectstart = 0, connectstartx = 0, connectstarty = 0, connectstartspare = 0,
            connectstartclamp = 0;
    int16_t connectend = 0, connectendx = 0, connectendy = 0, connectendspare = 0,
            connectendclamp = 0;
    int16_t handlex[12] = {};
    int16_t handley[12] = {}; // handley[0] is the connections count
    int16_t group = 0;
    int16_t reserved1422 = 0;
    int16_t locked = 0, selected = 0, nodefold = 0, fold = 0, visible = 0;
    int16_t reserved1434 = 0;
    int16_t reserved1436[3] = {};
};

// handley[0] doubles as the number of connectors attached to the object.
inline int16_t &connections(IWORecord &r) { return r.handley[0]; }

void writeIWOrecord(const IWORecord &r, uint8_t *p); // p holds IWORECORDSIZE bytes
void readIWOrecord(IWORecord &r, const uint8_t *p);
void writedrawpart(const DrawPart &d, uint8_t *p);
void readdrawpart(DrawPart &d, const uint8_t *p);

// ---- the object table and its globals ----
extern IWORecord IWO[IWOTABLESIZE]; // 0 scratch, 1..IWONumber-1 objects, 1009 shadow
extern int16_t IWONumber;           // index of the end marker (objects + 1)
extern int16_t IWOid;               // last id handed out
extern int16_t selectedIWO;         // index of the focus object, -1 none

// ---- the type catalogue ----
// Default object names by type (the underscore keeps clear of the C++ keyword).
extern char typename_[TYPETABLESIZE][11];
extern char helptext[TYPETABLESIZE][20]; // tool help texts, by type or tool number

int deleteIWO(int n);
int swapIWO(int a, int b);
int bufferIWO(int from, int to);
int duplicateIWO(int n);
int downjigIWO(int n);
int upjigIWO(int n);
int upjigIWO2(int from, int to);
int downjigIWO2(int from, int to);
int resolvefont(int n);
int setIWOtypenames();
int setIWOhelptext();

// True for 1 <= n < IWONumber: an index that names a live object.
inline bool liveIWO(int n) { return n >= 1 && n < IWONumber; }
// Index of the first object (1..IWONumber-1) with this id, or -99.
int findIWObyid(int id);

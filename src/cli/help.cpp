// help.cpp - the command-line tool's help texts. A new command goes into
// COMMANDS, a new script line of `run` into RUNLINES; `--help`, `help COMMAND`
// and the tests read them from here.
#include "cli/help.h"

#include <cstring>

#ifndef IW_VERSION
#define IW_VERSION "0.9"
#endif

namespace {

struct CommandHelp {
    const char *name;
    const char *synopsis; // the arguments, after the command name
    const char *summary;  // one line for the usage
    const char *text;     // the full help
};

const CommandHelp COMMANDS[] = {
    {"info", "FILE", "print the diagram in FILE as JSON",
     "Prints the diagram in FILE as JSON: the diagram's settings and every object\n"
     "with its type, position, size, label, pens, line ends and connections.\n"},
    {"convert", "IN OUT", "load IN (any release) and save it as the current release",
     "Loads the diagram IN, written by this or an older release, and saves it to OUT\n"
     "as the current release. OUT is overwritten; IN is never changed.\n"},
    {"render",
     "IN OUT.png [--size WxH] [--zoom Z] [--scroll X,Y] [--grid] [--highlight] [--select ID,...]"
     " [--smooth [--scale S]]",
     "draw IN as the drawing window shows it",
     "Draws the diagram IN as a drawing window shows it and writes the window's pens\n"
     "to OUT.png as a palette PNG.\n"
     "  --smooth         draw the smooth view instead (anti-aliased, in colour; the\n"
     "                   page and its objects, without grid, highlights or handles)\n"
     "  --scale S        the smooth view's device pixel ratio, 0.5 to 4 (1): the PNG\n"
     "                   is S times the window's size\n"
     "  --size WxH       the window's inner size in pixels (800x600)\n"
     "  --zoom Z         pixels per tenth of a millimetre (0.3)\n"
     "  --scroll X,Y     the page position at the window's top-left corner (0,0)\n"
     "  --grid           draw the grid\n"
     "  --highlight      draw the selection highlights\n"
     "  --select ID,...  select the objects with these ids first\n"},
    {"run", "SCRIPT [IN]", "run an editing session from SCRIPT, on a new diagram or on IN",
     "Runs an editing session from SCRIPT without a screen: the editor starts with an\n"
     "empty diagram (or the diagram IN) in an 800x600 drawing window and carries out\n"
     "the script's lines in turn. Requesters are printed on standard output and\n"
     "answered from `answer` lines. A line that is not understood stops the session\n"
     "with its number and exit code 1. Lines:\n"},
    {"export", "IN OUT [--focus ID] [--dpi N]", "write IN as SVG, PNG, PDF or an outline",
     "Writes the diagram IN to OUT in the format of OUT's final extension: .svg, .png\n"
     "or .pdf, drawn by the program itself (through the svg2png and svg2pdf\n"
     "converters of the directory IDEAWEAVE_CONVERTERS names, when it is set); or the\n"
     "outline of the labels as .txt, .htm, .html, .md or .opml.\n"
     "  --dpi N          the PNG's resolution in dots per inch, 1 to 2400 (96)\n"
     "  --focus ID       the outline starts at the object with id ID and follows its\n"
     "                   connectors; every other tree follows under its own root\n"
     "                   (by default the trees alone, the largest first)\n"
     "OUT is overwritten.\n"},
    {"arrange", "IN OUT --as mindmap|tree|orgchart|flowchart [--focus ID]",
     "arrange the connected objects of IN automatically",
     "Loads the diagram IN, arranges the objects joined by connectors and saves the\n"
     "result to OUT, as Diagram > Arrange does in the editor:\n"
     "  --as mindmap     the central object in the middle, its branches on both sides\n"
     "  --as tree        a tree growing to the right\n"
     "  --as orgchart    a tree growing down\n"
     "  --as flowchart   layers from top to bottom, following the connectors\n"
     "  --focus ID       arrange only the part holding the object with id ID, growing\n"
     "                   from it (by default every part, each from its central object:\n"
     "                   the one from which the most objects are reached)\n"
     "The page grows, up to 600 x 600 mm, when the arrangement needs it; an\n"
     "arrangement that does not fit even then is refused and nothing is written.\n"
     "OUT is overwritten; IN is never changed.\n"},
    {"import", "IN OUT.iwo", "make a mind map of the outline IN (.md, .markdown, .opml, .txt)",
     "Reads the outline IN and saves it as a new diagram OUT.iwo: Markdown (.md,\n"
     ".markdown: headings and nested list items), OPML (.opml: nested outline\n"
     "elements) or indented text (.txt: a line an item, nested by tabs or spaces).\n"
     "Every item becomes a shape with a connector from its parent; the only top-level\n"
     "item, or the title above several, becomes the central node, and the whole is\n"
     "arranged as a mind map. Title, author, description and folded branches come\n"
     "back from the program's own Markdown and OPML exports. Labels too long are cut\n"
     "at a word and characters a diagram can't hold become \"?\"; what was changed\n"
     "is said on standard output. An outline of more items than a diagram holds\n"
     "is refused. OUT.iwo is overwritten.\n"},
    {"help", "[COMMAND]", "explain a command, or print this help",
     "Prints the help of COMMAND, or without one the help of the whole program.\n"},
};

const char *EXITCODES = "Exit codes:\n"
                        "  0  success\n"
                        "  1  bad usage, or a bad script line (with its number)\n"
                        "  2  a file refused, unreadable or unwritable (the message goes to\n"
                        "     standard error)\n";

} // namespace

const RunLineHelp RUNLINES[] = {
    {"# TEXT", "a comment; empty lines are skipped too"},
    {"new", "a new, empty diagram (Project > New)"},
    {"open FILE", "open a diagram file"},
    {"save FILE", "save the diagram as FILE"},
    {"import FILE", "import an outline as a new diagram (Project > Import Outline)"},
    {"window W H", "resize the drawing window to W x H pixels"},
    {"tool ID", "pick a tool: 32 select, 36 text, 101-143 shapes, lines, connectors"},
    {"move X Y", "move the pointer to window pixel X,Y"},
    {"press X Y / release X Y", "the left button down or up at X,Y"},
    {"drag X1 Y1 X2 Y2 [STEPS]", "press at X1,Y1, move in STEPS steps (4), release at X2,Y2"},
    {"key NAME", "a key: f, del, insert, tab, up, down, left, right"},
    {"shift down|up, alt down|up", "hold or let go of Shift or Alt"},
    {"wheel DX DY", "scroll the diagram"},
    {"menu M I | menu COMMAND",
     "pick item I of menu M (menus 0-4 from Project, items from 0 with the bars), or a "
     "command's item"},
    {"gadget ID [CODE|left|right|upper|lower]", "release a button or gadget of a window"},
    {"set ID VALUE", "type VALUE into a gadget of an open window"},
    {"help ID [upper|lower]", "rest the pointer on a button and print its help line"},
    {"answer N [TEXT]", "the answer of the next requester: button N, and TEXT for a text"},
    {"answer enter", "the next requester answers its default button, as Enter does"},
    {"palette PEN|close, style ID|close, font NAME SIZE|cancel",
     "the answer of the next palette window, style window or font chooser"},
    {"close [tools|shapes|NAME]", "the close gadget of a window"},
    {"call NAME [ARG...]",
     "call an editing command by name (selectall, duplicate, node, ...) or a command"},
    {"render FILE.png", "write the drawing window's pens as a palette PNG"},
    {"print", "print the objects of the diagram"},
    {"record N", "print the fields of record N"},
    {"diagram", "print the diagram's settings"},
    {"menus, gadgets, title, view", "print the menu states, the buttons, the title, the view"},
    {"scroll", "print the scrollers' tops and the focus's box in window pixels"},
    {"commands", "print every command: name, menu, item (-1 -1: none), toolbar button"},
    {"window NAME", "print the gadgets of window NAME"},
    {"settings, clipboard, joins",
     "print the settings, the clipboard's forms, the connectors' ends"},
    {"template K", "print user-object slot K"},
    {"menu addchild|addsibling", "a node under or beside the selected one, its label asked for"},
    {"menu goparent|gochild|goprevious|gonext", "move the selection along the connectors"},
    {"menu deletenode|foldbranch", "delete or fold the selected node's branch"},
    {"menu editlabel", "the selected object's label, asked for (the editor edits it in place)"},
    {"arrange mindmap|tree|orgchart|flowchart",
     "arrange the selection's parts, or the whole diagram (Diagram > Arrange as)"},
    {"drawer PATH|cancel", "the answer of the next drawer chooser"},
    {"move NAME X Y, where NAME", "drag a window of gadgets, or print where it is"},
    {"find TEXT", "ids of the objects whose label or name holds TEXT (any case or accent)"},
    {"findselect TEXT", "select those objects, as Select All Matches does, and print them"},
    {"drop FILE...", "files dropped on the window together (one path a word)"},
};
const int RUNLINECOUNT = sizeof RUNLINES / sizeof RUNLINES[0];

void cliusage(FILE *out) {
    std::fputs("usage: ideaweave-cli COMMAND ARGS   (ideaweave-cli --help for more)\n", out);
    for (const CommandHelp &c : COMMANDS)
        std::fprintf(out, "       ideaweave-cli %s %s\n", c.name, c.synopsis);
}

void clihelp(FILE *out) {
    std::fputs("ideaweave-cli - edit, convert and export Ideaweave diagrams without a screen\n\n"
               "usage: ideaweave-cli COMMAND ARGS\n"
               "       ideaweave-cli --help | --version\n\nCommands:\n",
               out);
    for (const CommandHelp &c : COMMANDS)
        std::fprintf(out, "  %s %s\n        %s\n", c.name, c.synopsis, c.summary);
    std::fputs("\n'ideaweave-cli help COMMAND' explains one command.\n\n", out);
    std::fputs(EXITCODES, out);
}

const char *clicommandhelp(const char *name) {
    for (const CommandHelp &c : COMMANDS)
        if (!std::strcmp(c.name, name)) return c.text;
    return nullptr;
}

void clicommandhelpprint(FILE *out, const char *name) {
    for (const CommandHelp &c : COMMANDS) {
        if (std::strcmp(c.name, name)) continue;
        std::fprintf(out, "usage: ideaweave-cli %s %s\n\n%s", c.name, c.synopsis, c.text);
        if (!std::strcmp(name, "run"))
            for (int i = 0; i < RUNLINECOUNT; i++) {
                if (std::strlen(RUNLINES[i].form) > 26)
                    std::fprintf(out, "  %s\n  %-26s %s\n", RUNLINES[i].form, "", RUNLINES[i].text);
                else
                    std::fprintf(out, "  %-26s %s\n", RUNLINES[i].form, RUNLINES[i].text);
            }
        return;
    }
}

const char *cliversion() { return "ideaweave-cli " IW_VERSION "\n"; }

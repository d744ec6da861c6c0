// platform.h - what the core needs from the outside world.
//
// The core never talks to a toolkit. Requesters, the file requester and the
// window title go through the PlatformUI interface, which has a headless
// implementation (tests, the command-line tool) and a desktop one. Files go
// through the functions in platform/files.h.
//
//   platformui()            the current implementation
//   setplatformui(ui)       install an implementation (the caller keeps ownership)
//   platformclipboard()     the clipboard (an in-memory one until another is installed)
//   setplatformclipboard(c) install a clipboard (the caller keeps ownership)
//   setclipboardhandler(fn) fn runs whenever the clipboard's content changes
//   clipboardchanged()      implementations call it when the content changed
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct GadgetWindow;
struct Raster;

// One modal requester: an information requester with buttons, or a text
// entry with an edit buffer.
struct RequestSpec {
    bool textentry = false;   // true: a string requester editing `buffer`
    const char *title = "";   // window title
    const char *body = "";    // body text ("\n" breaks lines)
    int image = 1;            // 1 information, 2 warning
    const char *buttons = ""; // button texts separated by " | ", left to right
    char *buffer = nullptr;   // text entry: the edit buffer (NUL-terminated)
    int buffersize = 0;       // text entry: size of the buffer
    int maxchars = 0;         // text entry: characters that can be typed
    int defaultbutton = 0;    // the button Enter presses, 1.. from the left (0: the first)
};

// A label edited in place over the drawing window.
struct LabelEditField {
    int x = 0, y = 0, w = 0, h = 0; // the box it is edited over, window pixels
    int fontsize = 0;               // the label's size as drawn, pixels
    char *buffer = nullptr;         // the text to start from, and the answer (ISO-8859-1)
    int buffersize = 0;             // size of the buffer
    int maxchars = 0;               // characters that can be typed
    bool typed = false;             // buffer holds what was typed: kept whole, cursor after it
};

// A file requester: title, initial drawer and file, and a pattern such as "#?.iwo".
struct FileRequestSpec {
    const char *title = "";
    std::string drawer;
    std::string file;
    const char *pattern = "";
    bool save = false;
};

// The style window: buttons in rows on the first of its tabs, each showing a
// picture and answering its id.
struct StyleButton {
    int id = 0;                    // what the button answers
    std::shared_ptr<Raster> image; // its picture (null: none)
    const char *tip = "";          // what the pointer resting on it is told
};
struct StyleWindowLayout {
    const char *title = "";                     // window title
    std::vector<std::string> tabs;              // tab names; the buttons are on the first
    std::vector<std::vector<StyleButton>> rows; // button rows, top to bottom
    int x = 0, y = 0;                           // position on the screen
};

class PlatformUI {
  public:
    virtual ~PlatformUI() = default;
    // Shows a requester and returns the number of the button pressed: the
    // buttons count 1, 2, ... from the left, except that the last of several
    // buttons answers 0. Returns -1 when the requester could not be shown.
    virtual int request(RequestSpec &req) = 0;
    // Edits a label in place over the drawing window: 1 with the text in the
    // buffer when it was kept (Return, or the field left), 0 when cancelled
    // (Escape); -1 when labels can't be edited in place (a requester asks).
    virtual int editlabel(LabelEditField & /*field*/) { return -1; }
    // Asks for a file. Returns false on cancel; otherwise sets drawer and file.
    virtual bool filerequest(const FileRequestSpec &req, std::string &drawer,
                             std::string &file) = 0;
    // Gives the drawing window a new title.
    virtual void setwindowtitle(const char *title) = 0;
    // Enables or disables a menu item, addressed by its full menu number.
    virtual void setmenuenabled(int /*fullmenunumber*/, bool /*enabled*/) {}
    // Shows a check-mark menu item checked or not.
    virtual void setmenuchecked(int /*fullmenunumber*/, bool /*checked*/) {}
    // Whether the pointer was in the upper half of a button when it was last
    // released (the toolbar's two-way buttons).
    virtual bool gadgetupperhalf(int /*id*/) { return true; }
    // Gives a button another selected (pressed) image, by icon file name.
    virtual void setgadgetselectedimage(int /*id*/, const char * /*name*/) {}
    // Puts the picture in an image file on a palette button, as its normal and
    // selected image; "" takes the picture away.
    virtual void setgadgetimage(int /*id*/, const std::string & /*path*/) {}
    // Enables or disables a toolbar or palette button, addressed by its gadget id.
    virtual void setgadgetenabled(int /*id*/, bool /*enabled*/) {}
    // Shows a text in the shape palette's help line.
    virtual void sethelpline(const char * /*text*/) {}
    // Makes a tab of the shape palette the current one.
    virtual void setpalettetab(int /*tab*/) {}
    // Shows a tool or toolbar button as chosen or not.
    virtual void settoolselected(int /*id*/, bool /*selected*/) {}
    // The next item picked with the same menu selection (0xFFFF: none).
    virtual int nextmenuselection(int /*fullmenunumber*/) { return 0xFFFF; }
    // A scroller of the drawing window changed (HSCROLLER 0, VSCROLLER 1).
    virtual void scrollerchanged(int, int /*top*/, int /*visible*/, int /*total*/) {}
    // Opens the message window (a title and one line of text) and has it shown
    // before returning, since the caller then blocks. False when it can't be shown.
    virtual bool openmessage(const char * /*title*/, const char * /*text*/) { return false; }
    // Closes the message window, if open.
    virtual void closemessage() {}

    // ---- windows of gadgets (platform/gadgets.h) ----
    // Shows a non-modal window built from its gadget table; false when it
    // could not be opened.
    virtual bool openwindow(GadgetWindow & /*win*/) { return true; }
    // Shows the gadget table's current values, texts and disabled flags.
    virtual void refreshwindow(GadgetWindow & /*win*/) {}
    // Brings an open window to the front, as asking for it again does.
    virtual void raisewindow(GadgetWindow & /*win*/) {}
    // Takes the window off the screen, leaving its last position and size in win.
    virtual void closewindow(GadgetWindow & /*win*/) {}
    // A modal palette of `pens` pens with `pen` marked, at (x, y): the pen
    // clicked, or -1 when the window was closed or could not be opened.
    virtual int palettewindow(const char * /*title*/, int /*pen*/, int /*pens*/, int /*x*/,
                              int /*y*/) {
        return -1;
    }
    // A modal window of style buttons: the id of the button clicked, or 0
    // when the window was closed or could not be opened.
    virtual int stylewindow(const StyleWindowLayout & /*layout*/) { return 0; }
    // A font chooser starting at name ("Family.font") and size: true with the
    // choice in name and size (1 to maxsize), false when cancelled.
    virtual bool fontrequest(const char * /*title*/, std::string & /*name*/, int & /*size*/,
                             int /*maxsize*/) {
        return false;
    }

    // ---- the preferences ----
    // A drawer chooser (directories only) starting at path: true with the
    // drawer chosen in path, false when cancelled.
    virtual bool drawerrequest(const char * /*title*/, std::string & /*path*/) { return false; }
    // Whether the desktop's icon theme has the toolbar pictures the program
    // asks it for (icon set 2); false without a desktop.
    virtual bool themeicons() { return false; }
};

PlatformUI &platformui();
void setplatformui(PlatformUI *ui);

// The clipboard: the same content in several forms, each a MIME type with its
// bytes. Setting replaces every form the clipboard held.
using ClipboardForms = std::map<std::string, std::string>; // MIME type -> bytes

class PlatformClipboard {
  public:
    virtual ~PlatformClipboard() = default;
    // Puts the forms on the clipboard, replacing what it held.
    virtual void setdata(const ClipboardForms &forms) = 0;
    // The bytes of one form; false when the clipboard holds nothing in that form.
    virtual bool data(const std::string &mime, std::string &bytes) = 0;
    // The MIME types the clipboard holds.
    virtual std::vector<std::string> formats() = 0;
};

PlatformClipboard &platformclipboard();
void setplatformclipboard(PlatformClipboard *clipboard);
void setclipboardhandler(std::function<void()> handler);
void clipboardchanged();

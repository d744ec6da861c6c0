// headlessui.h - the platform without a screen: requesters are printed as one
// line each and answered from a queue that the caller fills.
//
//   HeadlessUI(out)        print to out (nullptr: print nothing)
//   queueanswer(b, text)   the next requester answers button b (and text, if given);
//                          b = ENTERANSWER: the requester's default button, as Enter
//                          presses it
//   title()                the last window title set
//   setupperhalf(upper)    where the pointer is on a button (its upper or lower half)
//   menuchecked(num)       a menu item's check mark (-1 never set)
//   selectedimage(id)      the selected image a button was last given ("" none)
//   gadgetimage(id)        the picture file a button shows ("" none)
//
//   queuepalette(pen)      the next palette window answers pen (-1: closed)
//   queuestyle(id)         the next style window answers id (0: closed)
//   queuefont(name, size)  the next font chooser answers name and size
//   queuefontcancel()      the next font chooser is cancelled
//   queuedrawer(path)      the next drawer chooser answers path (nullopt: cancelled)
//
// Printed forms:
//   requester: TITLE | BODY | BUTTONS
//   filerequester: TITLE | DRAWER | FILE | PATTERN
//   requester: refused TEXT: CHARS cannot be stored (ISO-8859-1 only)
//   message: TEXT            (the message window, to the message output)
//   icon: SLOT PATH          a user-object tool (132 + SLOT - 1) given a picture
//   palettewindow: TITLE | PEN
//   stylewindow: TITLE
//   fontrequester: TITLE | NAME SIZE
//   drawerrequester: TITLE | PATH
// With no answer queued, the palette and style windows are closed and the
// font and drawer choosers are cancelled. Gadget windows are kept as their tables only.
// A line feed in the body is written as \n. With an empty queue a requester
// answers with its first button and leaves a text unchanged; a file requester
// is cancelled (choosing a file nobody named could overwrite one).
// A text answer is UTF-8 (bytes that are not are taken as ISO-8859-1) and is
// stored as ISO-8859-1; one with characters beyond that is refused, as they
// cannot be typed on the screen, and the requester takes the next answer.
#pragma once
#include "platform/platform.h"

#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <string>

// A typed or answered text (UTF-8, or ISO-8859-1 bytes when it isn't) as
// the ISO-8859-1 the records store; false, with the characters beyond it in
// `refused`, when some cannot be stored.
bool latin1answer(const std::string &in, std::string &out, std::string &refused);

class HeadlessUI : public PlatformUI {
  public:
    static constexpr int ENTERANSWER = -1000;
    // What the default button of a requester answers.
    static int defaultanswer(const RequestSpec &req);
    explicit HeadlessUI(FILE *out) : out_(out) {}
    int request(RequestSpec &req) override;
    bool filerequest(const FileRequestSpec &req, std::string &drawer, std::string &file) override;
    void setwindowtitle(const char *title) override { title_ = title; }
    void setmenuenabled(int num, bool enabled) override { menus_[num] = enabled; }
    void setmenuchecked(int num, bool checked) override { checks_[num] = checked; }
    // Whether a check-mark item is checked: -1 never set, else 0 or 1.
    int menuchecked(int num) const {
        auto it = checks_.find(num);
        return it == checks_.end() ? -1 : it->second;
    }
    // The pointer's place on the button under it: upper half (true) or lower.
    void setupperhalf(bool upper) { upperhalf_ = upper; }
    bool gadgetupperhalf(int) override { return upperhalf_; }
    void setgadgetselectedimage(int id, const char *name) override { images_[id] = name; }
    std::string selectedimage(int id) const {
        auto it = images_.find(id);
        return it == images_.end() ? std::string() : it->second;
    }
    void setgadgetimage(int id, const std::string &path) override;
    std::string gadgetimage(int id) const {
        auto it = pictures_.find(id);
        return it == pictures_.end() ? std::string() : it->second;
    }
    void setgadgetenabled(int id, bool enabled) override { gadgets_[id] = enabled; }
    // Whether a button is enabled: -1 never set, else 0 or 1.
    int gadgetenabled(int id) const {
        auto it = gadgets_.find(id);
        return it == gadgets_.end() ? -1 : it->second;
    }
    void sethelpline(const char *text) override { helpline_ = text; }
    void setpalettetab(int tab) override { palettetab_ = tab; }
    void settoolselected(int id, bool selected) override {
        if (selected)
            chosentool_ = id;
        else if (chosentool_ == id)
            chosentool_ = 0;
    }
    const std::string &helpline() const { return helpline_; }
    int palettetab() const { return palettetab_; }
    int chosentool() const { return chosentool_; } // the button shown as chosen
    // Whether a menu item is enabled: -1 never set, else 0 or 1.
    int menuenabled(int num) const {
        auto it = menus_.find(num);
        return it == menus_.end() ? -1 : it->second;
    }

    int palettewindow(const char *title, int pen, int pens, int x, int y) override;
    int stylewindow(const StyleWindowLayout &layout) override;
    bool fontrequest(const char *title, std::string &name, int &size, int maxsize) override;
    bool openwindow(GadgetWindow &) override { return !failing_; }
    void queuepalette(int pen) { palettes_.push_back(pen); }
    void queuestyle(int id) { styles_.push_back(id); }
    void queuefont(std::string name, int size) { fonts_.push_back({std::move(name), size}); }
    void queuefontcancel() { fonts_.push_back({std::nullopt, 0}); }
    bool drawerrequest(const char *title, std::string &path) override;
    void queuedrawer(std::optional<std::string> path) { drawers_.push_back(std::move(path)); }

    void queueanswer(int button, std::optional<std::string> text = std::nullopt) {
        answers_.push_back({button, std::move(text)});
    }
    bool openmessage(const char *title, const char *text) override;
    void setoutput(FILE *out) { out_ = out; }
    // Where message-window lines go (default: the requester output).
    void setmessageoutput(FILE *out) { messageout_ = out; }
    void setfailing(bool failing) { failing_ = failing; } // requesters cannot be shown
    const std::string &title() const { return title_; }
    size_t pending() const { return answers_.size(); }

  private:
    struct Answer {
        int button;
        std::optional<std::string> text;
    };
    FILE *out_;
    FILE *messageout_ = nullptr;
    bool failing_ = false;
    std::deque<Answer> answers_;
    std::deque<int> palettes_, styles_;
    std::deque<std::pair<std::optional<std::string>, int>> fonts_;
    std::deque<std::optional<std::string>> drawers_;
    std::string title_;
    std::map<int, bool> menus_;
    std::map<int, bool> gadgets_;
    std::map<int, bool> checks_;
    std::map<int, std::string> images_;
    std::map<int, std::string> pictures_;
    bool upperhalf_ = true;
    std::string helpline_;
    int palettetab_ = 0;
    int chosentool_ = 0;
};

// outlineread.cpp - the outline readers (see outlineread.h).
#include "import/outlineread.h"

#include "export/outline.h"

#include <cmark.h>
#include <cstring>
#include <expat.h>

namespace {

bool validutf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = (unsigned char)s[i];
        int more;
        uint32_t cp;
        if (b < 0x80) {
            i++;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            more = 1, cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2, cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3, cp = b & 0x07;
        } else {
            return false;
        }
        if (i + (size_t)more >= s.size()) return false;
        for (int k = 1; k <= more; k++) {
            const unsigned char c = (unsigned char)s[i + (size_t)k];
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        static const uint32_t least[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < least[more] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
        i += (size_t)more + 1;
    }
    return true;
}

std::string trimmed(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\n' || s[a] == '\r')) a++;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\n' || s[b - 1] == '\r'))
        b--;
    return std::string(s.substr(a, b - a));
}

void droptrailingspace(std::string &s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
}

// ---- Markdown ----

bool foldmark(const std::string &html) {
    return html == MDFOLDMARK || html == "<!-- markmap: fold -->" || html == "<!--fold-->" ||
           html == "<!-- markmap:fold -->";
}

// The text of a block's inlines: emphasis, code and links give their text,
// line breaks a space; the fold and title marks are noted instead.
std::string inlinetext(cmark_node *block, bool *folded, bool *titlemark) {
    std::string out;
    cmark_iter *it = cmark_iter_new(block);
    cmark_event_type ev;
    while ((ev = cmark_iter_next(it)) != CMARK_EVENT_DONE) {
        if (ev != CMARK_EVENT_ENTER) continue;
        cmark_node *n = cmark_iter_get_node(it);
        const char *lit = cmark_node_get_literal(n);
        switch (cmark_node_get_type(n)) {
        case CMARK_NODE_TEXT:
        case CMARK_NODE_CODE:
            if (lit) out += lit;
            break;
        case CMARK_NODE_SOFTBREAK:
        case CMARK_NODE_LINEBREAK:
            out += ' ';
            break;
        case CMARK_NODE_HTML_INLINE: {
            const std::string html = trimmed(lit ? lit : "");
            if (foldmark(html) && folded) {
                *folded = true;
                droptrailingspace(out);
            } else if (html == MDTITLEMARK && titlemark) {
                *titlemark = true;
                droptrailingspace(out);
            } else {
                out += lit ? lit : "";
            }
            break;
        }
        default:
            break;
        }
    }
    cmark_iter_free(it);
    return out;
}

// "*Author:* text" and "*Description:* text": the marker's word and the text.
bool labelledparagraph(cmark_node *p, const char *word, std::string &value) {
    cmark_node *e = cmark_node_first_child(p);
    if (!e || cmark_node_get_type(e) != CMARK_NODE_EMPH) return false;
    cmark_node *t = cmark_node_first_child(e);
    if (!t || cmark_node_next(t) || cmark_node_get_type(t) != CMARK_NODE_TEXT) return false;
    const char *lit = cmark_node_get_literal(t);
    if (!lit || std::strcmp(lit, word) != 0) return false;
    const std::string all = inlinetext(p, nullptr, nullptr);
    value = all.substr(std::min(all.size(), std::strlen(word)));
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    return true;
}

// ---- OPML ----

constexpr char NSSEP = '\x01';

struct OpmlState {
    XML_Parser parser = nullptr;
    OutlineDoc *o = nullptr;
    std::string why;
    int depth = 0;     // element depth
    bool root = false; // the root element was opml
    bool head = false, body = false, sawbody = false;
    std::string field; // character data of the head element being read
    std::string *target = nullptr;
    std::string expansion;     // the expansionState text
    bool hasexpansion = false; // the head has one
    std::vector<int> open;     // items of the outline elements still open
};

std::string localname(const XML_Char *name, std::string *ns = nullptr) {
    const char *sep = std::strchr(name, NSSEP);
    if (!sep) {
        if (ns) ns->clear();
        return name;
    }
    if (ns) *ns = std::string(name, (size_t)(sep - name));
    return sep + 1;
}

void stop(OpmlState &s, const std::string &why) {
    if (s.why.empty()) s.why = why;
    XML_StopParser(s.parser, XML_FALSE);
}

void XMLCALL opmlstart(void *data, const XML_Char *name, const XML_Char **atts) {
    OpmlState &s = *(OpmlState *)data;
    std::string ns;
    const std::string local = localname(name, &ns);
    s.depth++;
    if (s.depth == 1) {
        if (local != "opml" || !ns.empty()) {
            stop(s, "The file is not OPML: its outermost element is <" + local + ">, not <opml>.");
            return;
        }
        s.root = true;
        return;
    }
    if (s.depth == 2 && ns.empty()) {
        s.head = local == "head";
        s.body = local == "body";
        if (s.body) s.sawbody = true;
        return;
    }
    if (s.head && s.depth == 3) {
        s.field.clear();
        s.target = nullptr;
        if (ns.empty() && local == "title")
            s.target = &s.o->title;
        else if (ns.empty() && local == "ownerName")
            s.target = &s.o->author;
        else if (ns == OPMLNAMESPACE && local == "description")
            s.target = &s.o->description;
        else if (ns.empty() && local == "expansionState")
            s.target = &s.expansion, s.hasexpansion = true;
        else if (ns.empty() && local == "outline")
            s.o->leftout++; // an outline in the head is not the document's
        return;
    }
    if (local != "outline" || !ns.empty()) return;
    if (!s.body) {
        s.o->leftout++;
        return;
    }
    // An outline directly in the body or in another outline; one inside
    // anything else is left out, and counted.
    if ((int)s.open.size() != s.depth - 3) {
        s.o->leftout++;
        return;
    }
    OutlineItem item;
    item.parent = s.open.empty() ? -1 : s.open.back();
    const char *text = nullptr, *title = nullptr;
    for (int k = 0; atts[k]; k += 2) {
        if (!std::strcmp(atts[k], "text")) text = atts[k + 1];
        if (!std::strcmp(atts[k], "title")) title = atts[k + 1];
    }
    item.text = text ? text : title ? title : "";
    s.o->items.push_back(std::move(item));
    s.open.push_back((int)s.o->items.size() - 1);
}

void XMLCALL opmlend(void *data, const XML_Char *name) {
    OpmlState &s = *(OpmlState *)data;
    std::string ns;
    const std::string local = localname(name, &ns);
    if (s.head && s.depth == 3 && s.target) {
        *s.target = trimmed(s.field);
        s.target = nullptr;
    }
    if (s.depth == 2) s.head = s.body = false;
    if (s.body && local == "outline" && ns.empty() && !s.open.empty() &&
        (int)s.open.size() == s.depth - 2)
        s.open.pop_back();
    s.depth--;
}

void XMLCALL opmltext(void *data, const XML_Char *text, int len) {
    OpmlState &s = *(OpmlState *)data;
    if (s.target && s.depth == 3) s.field.append(text, (size_t)len);
}

void XMLCALL opmlnamespace(void *data, const XML_Char *, const XML_Char *uri) {
    OpmlState &s = *(OpmlState *)data;
    if (uri && !std::strcmp(uri, OPMLNAMESPACE)) s.o->ourown = true;
}

void XMLCALL opmlentity(void *data, const XML_Char *, int, const XML_Char *, int, const XML_Char *,
                        const XML_Char *, const XML_Char *, const XML_Char *) {
    stop(*(OpmlState *)data, "The OPML file declares entities, which are not accepted.");
}

// expansionState: the lines a reader shows (from 1, in the order shown) that
// are expanded. Every item with children that is shown and not listed is
// folded; without the element nothing is.
void applyexpansion(OutlineDoc &o, const std::string &state) {
    std::vector<long> lines;
    long v = -1;
    for (char c : state + ",") {
        if (c >= '0' && c <= '9') {
            v = (v < 0 ? 0 : v) * 10 + (c - '0');
            if (v > 100000000) v = 100000000;
        } else if (c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (v >= 0) lines.push_back(v);
            v = -1;
        } else {
            return; // not a list of numbers: taken as absent
        }
    }
    std::vector<char> children(o.items.size(), 0), shown(o.items.size(), 0);
    for (const OutlineItem &it : o.items)
        if (it.parent >= 0) children[(size_t)it.parent] = 1;
    std::vector<char> expanded(o.items.size(), 0);
    long line = 0;
    for (size_t k = 0; k < o.items.size(); k++) {
        const int p = o.items[k].parent;
        shown[k] = p < 0 || (shown[(size_t)p] && expanded[(size_t)p]);
        if (!shown[k]) continue;
        line++;
        for (long l : lines)
            if (l == line) expanded[k] = 1;
        if (children[k] && !expanded[k]) o.items[k].folded = true;
    }
}

} // namespace

std::string utf8orlatin1(std::string_view text) {
    if (text.size() >= 3 && !std::memcmp(text.data(), "\xEF\xBB\xBF", 3)) text.remove_prefix(3);
    if (validutf8(text)) return std::string(text);
    return utf8text(text.data(), text.size());
}

bool readmarkdownoutline(std::string_view text, OutlineDoc &o, std::string &why) {
    o = OutlineDoc{};
    cmark_node *doc = cmark_parse_document(text.data(), text.size(), CMARK_OPT_VALIDATE_UTF8);
    if (!doc) {
        why = "The Markdown file could not be read.";
        return false;
    }
    // The title: a first level-1 heading that is marked as the title or is
    // the only level-1 heading of the document.
    cmark_node *title = nullptr;
    int level1 = 0;
    for (cmark_node *b = cmark_node_first_child(doc); b; b = cmark_node_next(b))
        if (cmark_node_get_type(b) == CMARK_NODE_HEADING && cmark_node_get_heading_level(b) == 1)
            level1++;
    if (cmark_node *first = cmark_node_first_child(doc);
        first && cmark_node_get_type(first) == CMARK_NODE_HEADING &&
        cmark_node_get_heading_level(first) == 1) {
        bool marked = false;
        const std::string t = trimmed(inlinetext(first, nullptr, &marked));
        if (marked || level1 == 1) {
            title = first;
            o.title = t;
            o.ourown = marked;
        }
    }

    struct Heading {
        int level, item;
    };
    std::vector<Heading> headings;
    std::vector<int> items; // the list items we are inside
    cmark_iter *it = cmark_iter_new(doc);
    cmark_event_type ev;
    while ((ev = cmark_iter_next(it)) != CMARK_EVENT_DONE) {
        cmark_node *n = cmark_iter_get_node(it);
        const cmark_node_type type = cmark_node_get_type(n);
        if (ev == CMARK_EVENT_EXIT) {
            if (type == CMARK_NODE_ITEM && !items.empty()) items.pop_back();
            continue;
        }
        auto skip = [&] { cmark_iter_reset(it, n, CMARK_EVENT_EXIT); };
        switch (type) {
        case CMARK_NODE_HEADING: {
            skip();
            if (n == title) break;
            if (!items.empty()) { // a heading further inside a list item
                o.leftout++;
                break;
            }
            const int level = cmark_node_get_heading_level(n);
            while (!headings.empty() && headings.back().level >= level) headings.pop_back();
            OutlineItem item;
            item.parent = headings.empty() ? -1 : headings.back().item;
            item.text = inlinetext(n, &item.folded, nullptr);
            o.items.push_back(std::move(item));
            headings.push_back({level, (int)o.items.size() - 1});
            break;
        }
        case CMARK_NODE_ITEM: {
            OutlineItem item;
            item.parent = !items.empty()     ? items.back()
                          : headings.empty() ? -1
                                             : headings.back().item;
            // The item's text is its first block, when that is a paragraph
            // (or a heading); further blocks inside are read in turn.
            cmark_node *first = cmark_node_first_child(n);
            if (first && (cmark_node_get_type(first) == CMARK_NODE_PARAGRAPH ||
                          cmark_node_get_type(first) == CMARK_NODE_HEADING)) {
                item.text = inlinetext(first, &item.folded, nullptr);
                o.items.push_back(std::move(item));
                items.push_back((int)o.items.size() - 1);
                cmark_iter_reset(it, first, CMARK_EVENT_EXIT);
            } else {
                o.items.push_back(std::move(item));
                items.push_back((int)o.items.size() - 1);
            }
            break;
        }
        case CMARK_NODE_PARAGRAPH: {
            skip();
            std::string value;
            if (items.empty() && labelledparagraph(n, "Author:", value))
                o.author = trimmed(value);
            else if (items.empty() && labelledparagraph(n, "Description:", value))
                o.description = trimmed(value);
            else
                o.leftout++;
            break;
        }
        case CMARK_NODE_HTML_BLOCK: {
            skip();
            const char *lit = cmark_node_get_literal(n);
            const std::string html = trimmed(lit ? lit : "");
            if (html == MDTITLEMARK)
                o.ourown = true;
            else if (html.rfind("<!--", 0) != 0)
                o.leftout++;
            break;
        }
        case CMARK_NODE_CODE_BLOCK:
            skip();
            o.leftout++;
            break;
        default:
            break;
        }
    }
    cmark_iter_free(it);
    cmark_node_free(doc);
    return true;
}

bool readopmloutline(std::string_view text, OutlineDoc &o, std::string &why) {
    o = OutlineDoc{};
    OpmlState s;
    s.o = &o;
    XML_Parser p = XML_ParserCreateNS(nullptr, NSSEP);
    if (!p) {
        why = "Out of memory reading the OPML file.";
        return false;
    }
    s.parser = p;
    XML_SetUserData(p, &s);
    XML_SetElementHandler(p, opmlstart, opmlend);
    XML_SetCharacterDataHandler(p, opmltext);
    XML_SetStartNamespaceDeclHandler(p, opmlnamespace);
    XML_SetEntityDeclHandler(p, opmlentity);
    // Parameter entities and external subsets are never read.
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
    const bool ok = XML_Parse(p, text.data(), (int)text.size(), XML_TRUE) == XML_STATUS_OK;
    if (!ok && s.why.empty()) {
        why = "The OPML file is not well-formed XML: " +
              std::string(XML_ErrorString(XML_GetErrorCode(p))) + " at line " +
              std::to_string(XML_GetCurrentLineNumber(p)) + ".";
    }
    XML_ParserFree(p);
    if (!s.why.empty()) {
        why = s.why;
        return false;
    }
    if (!ok) return false;
    if (!s.sawbody) {
        why = "The OPML file has no <body>: there is no outline in it.";
        return false;
    }
    if (s.hasexpansion) applyexpansion(o, s.expansion);
    return true;
}

bool readtextoutline(std::string_view text, OutlineDoc &o, std::string &why) {
    o = OutlineDoc{};
    (void)why;
    struct Open {
        int column, item;
    };
    std::vector<Open> open;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') end++;
        std::string_view line = text.substr(at, end - at);
        // Lines end in LF, CR LF or CR.
        at = end;
        if (at < text.size() && text[at] == '\r') at++;
        if (at < text.size() && text[at] == '\n' && (at == end || at == end + 1)) at++;
        int column = 0;
        size_t k = 0;
        for (; k < line.size() && (line[k] == ' ' || line[k] == '\t'); k++)
            column = line[k] == '\t' ? (column / 4 + 1) * 4 : column + 1;
        const std::string label = trimmed(line.substr(k));
        if (label.empty()) continue;
        while (!open.empty() && open.back().column >= column) open.pop_back();
        OutlineItem item;
        item.parent = open.empty() ? -1 : open.back().item;
        item.text = label;
        o.items.push_back(std::move(item));
        open.push_back({column, (int)o.items.size() - 1});
    }
    return true;
}

bool readoutline(ExportFormat format, std::string_view bytes, OutlineDoc &o, std::string &why) {
    o = OutlineDoc{};
    if (bytes.empty()) {
        why = "The file is empty: there is no outline in it.";
        return false;
    }
    if (bytes.size() > MAXOUTLINEBYTES) {
        why = "The file is too large for an outline: more than " +
              std::to_string(MAXOUTLINEBYTES >> 20) + " MB.";
        return false;
    }
    if (std::memchr(bytes.data(), '\0', bytes.size())) {
        why = "The file is not a text file: it holds binary data.";
        return false;
    }
    bool ok;
    if (format == EXPORT_OPML) {
        // XML says its own encoding.
        ok = readopmloutline(bytes, o, why);
    } else {
        const std::string text = utf8orlatin1(bytes);
        ok =
            format == EXPORT_MD ? readmarkdownoutline(text, o, why) : readtextoutline(text, o, why);
    }
    if (!ok) return false;
    if (o.items.empty() && o.title.empty()) {
        why = format == EXPORT_OPML ? "The OPML file's body holds no outline elements."
              : format == EXPORT_MD ? "The Markdown file holds no headings and no list items."
                                    : "The file holds no lines of text.";
        return false;
    }
    return true;
}

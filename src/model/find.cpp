// find.cpp - finding objects by their label or name (see find.h).
#include "model/find.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

// What each byte of ISO-8859-1 compares as; bytes not listed stand for themselves.
const char *folded(unsigned char c) {
    static const char *const upper[64] = {
        // 0xC0-0xCF: À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
        // 0xD0-0xDF: Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
        "d", "n", "o", "o", "o", "o", "o", "\xD7", "o", "u", "u", "u", "u", "y", "th", "ss",
        // 0xE0-0xEF: à á â ã ä å æ ç è é ê ë ì í î ï
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
        // 0xF0-0xFF: ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
        "d", "n", "o", "o", "o", "o", "o", "\xF7", "o", "u", "u", "u", "u", "y", "th", "y"};
    if (c >= 0xC0) return upper[c - 0xC0];
    return nullptr;
}

// The top edge of a record's box: a line's height may point upwards.
int top(const IWORecord &r) { return std::min<int>(r.y, r.y + r.height); }
int left(const IWORecord &r) { return std::min<int>(r.x, r.x + r.width); }

} // namespace

std::string foldtext(const char *s, size_t n) {
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n && s[i]; i++) {
        const auto c = (unsigned char)s[i];
        if (c >= 'A' && c <= 'Z')
            out += (char)(c - 'A' + 'a');
        else if (c == 0xA0)
            out += ' ';
        else if (const char *f = folded(c))
            out += f;
        else
            out += (char)c;
    }
    return out;
}

bool matchesIWO(const IWORecord &r, const std::string &text) {
    if (text.empty()) return false;
    return foldtext(r.label, sizeof r.label).find(text) != std::string::npos ||
           foldtext(r.name, sizeof r.name).find(text) != std::string::npos;
}

std::vector<int> findIWOs(const IWORecord *records, int count, const std::string &text) {
    std::vector<int> found;
    const std::string want = foldtext(text.c_str(), text.size());
    if (want.empty()) return found;
    for (int i = 0; i < count; i++) {
        const IWORecord &r = records[i];
        if (r.type == DEADTYPE || r.id == TRANSPARENT) continue;
        if (matchesIWO(r, want)) found.push_back(i);
    }
    std::stable_sort(found.begin(), found.end(), [records](int a, int b) {
        return std::make_tuple(top(records[a]), left(records[a]), a) <
               std::make_tuple(top(records[b]), left(records[b]), b);
    });
    return found;
}

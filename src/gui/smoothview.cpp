// smoothview.cpp - the drawing window's smooth picture (see smoothview.h).
#include "gui/smoothview.h"

#include "platform/palette.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace {

// The leftmost and rightmost places where two rows of n bytes differ.
bool rowchange(const uint8_t *a, const uint8_t *b, int n, int &first, int &last) {
    if (std::memcmp(a, b, (size_t)n) == 0) return false;
    int i = 0, j = n - 1;
    while (a[i] == b[i]) i++;
    while (a[j] == b[j]) j--;
    first = std::min(first, i);
    last = std::max(last, j);
    return true;
}

// The same view but for where the page lies in the window.
bool samescale(const SmoothView &a, const SmoothView &b) {
    return a.zoom == b.zoom && a.ratio == b.ratio && a.backboard == b.backboard &&
           a.shadow == b.shadow;
}

bool sameview(const SmoothView &a, const SmoothView &b) {
    return samescale(a, b) && a.originx == b.originx && a.originy == b.originy;
}

// Moves the pixels of an image by (dx, dy), leaving the pixels uncovered as
// they were (they are drawn again).
void shiftimage(QImage &img, int dx, int dy) {
    const int w = img.width(), h = img.height();
    if (std::abs(dx) >= w || std::abs(dy) >= h) return;
    const int n = w - std::abs(dx);
    const int from = std::max(-dx, 0), to = std::max(dx, 0);
    auto row = [&](int y) {
        uchar *d = img.scanLine(y + dy);
        const uchar *src = img.constScanLine(y);
        std::memmove(d + (size_t)to * 4, src + (size_t)from * 4, (size_t)n * 4);
    };
    // Rows in the order that never reads a row already overwritten.
    if (dy > 0)
        for (int y = h - 1 - dy; y >= 0; y--) row(y);
    else
        for (int y = -dy; y < h; y++) row(y);
}

} // namespace

void SmoothPicture::clear() {
    scene_ = Scene();
    havescene_ = false;
    records_.clear();
    pens_.clear();
    marks_.clear();
    width_ = height_ = 0;
    smooth_ = QImage();
    shown_ = QImage();
}

QRect SmoothPicture::pixelbox(const SceneObject &o) const {
    if (!o.visible || o.x1 < o.x0 || o.y1 < o.y0) return QRect();
    const double z = view_.zoom;
    auto px = [](double v) { return (int)std::clamp(v, -1e6, 1e6); };
    // Two pixels more for the anti-aliased edge.
    return QRect(QPoint(px(std::floor(view_.originx + o.x0 * z)) - 2,
                        px(std::floor(view_.originy + o.y0 * z)) - 2),
                 QPoint(px(std::ceil(view_.originx + o.x1 * z)) + 2,
                        px(std::ceil(view_.originy + o.y1 * z)) + 2));
}

QRect SmoothPicture::aligned(const QRect &r) const {
    // Whole device pixels at both edges: a clip through the middle of a
    // device pixel would blend the new picture with the old one there.
    auto down = [this](int v) { return (int)std::floor((double)v / align_) * align_; };
    auto up = [this](int v) { return (int)std::ceil((double)v / align_) * align_; };
    QRect a(QPoint(down(r.left()), down(r.top())),
            QPoint(up(r.right() + 1) - 1, up(r.bottom() + 1) - 1));
    return a & QRect(-align_, -align_, width_ + 2 * align_, height_ + 2 * align_);
}

QRect SmoothPicture::device(const QRect &r) const {
    const double R = view_.ratio;
    QRect d(QPoint((int)std::floor(r.left() * R + 1e-6), (int)std::floor(r.top() * R + 1e-6)),
            QPoint((int)std::ceil((r.right() + 1) * R - 1e-6) - 1,
                   (int)std::ceil((r.bottom() + 1) * R - 1e-6) - 1));
    return d & smooth_.rect();
}

void SmoothPicture::render(const QRect &r) {
    if (r.isEmpty() || smooth_.isNull()) return;
    cairo_surface_t *surface =
        cairo_image_surface_create_for_data(smooth_.bits(), CAIRO_FORMAT_RGB24, smooth_.width(),
                                            smooth_.height(), (int)smooth_.bytesPerLine());
    cairo_t *cr = cairo_create(surface);
    smoothregion(cr, scene_, view_, r.x(), r.y(), r.width(), r.height());
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void SmoothPicture::compose(const Raster *rp, const QRect &r) {
    const QRect d = device(r);
    if (d.isEmpty()) return;
    // The scene, opaque.
    for (int y = d.top(); y <= d.bottom(); y++) {
        const auto *src = reinterpret_cast<const QRgb *>(smooth_.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(shown_.scanLine(y));
        for (int x = d.left(); x <= d.right(); x++) dst[x] = 0xFF000000u | src[x];
    }
    // The marks over it, each window pixel a block of device pixels.
    const QRect w = r & QRect(0, 0, width_, height_);
    if (w.isEmpty()) return;
    const double R = view_.ratio;
    auto dev = [R](int v) { return (int)std::floor(v * R + 1e-6); };
    const bool marked = rp->Marks.size() == rp->Pixels.size();
    for (int ly = w.top(); ly <= w.bottom(); ly++) {
        const size_t at = (size_t)ly * (size_t)width_;
        const uint8_t *pens = rp->Pixels.data() + at;
        if (marked) {
            const uint8_t *marks = rp->Marks.data() + at;
            const int y0 = dev(ly), y1 = std::min(dev(ly + 1), shown_.height());
            for (int lx = w.left(); lx <= w.right(); lx++) {
                if (!marks[lx]) continue;
                const QRgb c = 0xFF000000u | ScreenPalette[pens[lx]];
                const int x0 = dev(lx), x1 = std::min(dev(lx + 1), shown_.width());
                for (int y = y0; y < y1; y++) {
                    auto *row = reinterpret_cast<QRgb *>(shown_.scanLine(y));
                    for (int x = x0; x < x1; x++) row[x] = c;
                }
            }
            std::memcpy(marks_.data() + at + w.left(), marks + w.left(), (size_t)w.width());
        }
        std::memcpy(pens_.data() + at + w.left(), pens + w.left(), (size_t)w.width());
    }
}

QRegion SmoothPicture::syncscene(const IWORecord *table, int count, const DiagramRecord &diagram,
                                 bool exists, bool &all) {
    count = exists ? std::clamp(count, 0, IWOTABLESIZE) : 0;
    // A new diagram record (page, paper, fonts) makes the scene anew.
    if (!havescene_ || exists != exists_ ||
        (exists && std::memcmp(&diagram, &diagram_, sizeof diagram) != 0)) {
        all = true;
        scene_ = exists ? buildscene(table, count, diagram) : Scene();
        // Byte copies, padding and all, so that the byte comparisons below
        // see only real changes.
        records_.resize((size_t)count);
        if (count > 0) std::memcpy(records_.data(), table, sizeof(IWORecord) * (size_t)count);
        std::memcpy(&diagram_, &diagram, sizeof diagram);
        exists_ = exists;
        havescene_ = true;
        return QRegion();
    }
    // The records that changed since the scene was made, and the lines
    // attached to any of them (a line is fitted to the outline it meets).
    std::vector<int> changed;
    std::set<int> ids;
    const int before = (int)records_.size();
    for (int k = 1; k < std::max(count, before); k++) {
        const bool was = k < before, is = k < count;
        if (was && is && std::memcmp(&records_[(size_t)k], &table[k], sizeof(IWORecord)) == 0)
            continue;
        changed.push_back(k);
        if (was) ids.insert(records_[(size_t)k].id);
        if (is) ids.insert(table[k].id);
    }
    if (changed.empty()) return QRegion();
    const size_t direct = changed.size();
    for (int k = 1; k < count; k++)
        if ((ids.count(table[k].connectstart) || ids.count(table[k].connectend)) &&
            !std::binary_search(changed.begin(), changed.begin() + (long)direct, k))
            changed.push_back(k);
    QRegion region;
    for (int k : changed)
        if (k - 1 < (int)scene_.objects.size()) region += pixelbox(scene_.objects[(size_t)(k - 1)]);
    scene_.objects.resize((size_t)std::max(count - 1, 0));
    records_.resize((size_t)count);
    for (int k : changed) {
        if (k >= count) continue;
        scene_.objects[(size_t)(k - 1)] = sceneobject(table, count, k, diagram);
        region += pixelbox(scene_.objects[(size_t)(k - 1)]);
        std::memcpy(&records_[(size_t)k], &table[k], sizeof(IWORecord));
    }
    return region;
}

QRect SmoothPicture::update(const Raster *rp, const IWORecord *table, int count,
                            const DiagramRecord &diagram, bool exists, const SmoothView &view) {
    if (!rp || rp->Width <= 0 || rp->Height <= 0 || !(view.ratio > 0) || !(view.zoom > 0)) {
        clear();
        return QRect();
    }
    const int W = rp->Width, H = rp->Height;
    const bool sized = W == width_ && H == height_ && !shown_.isNull();
    bool all = !sized || !sameview(view, view_);
    // A scroll by whole device pixels moves the picture and draws only what
    // comes into sight.
    QRegion exposed;
    if (all && sized && samescale(view, view_)) {
        const double dx = view.originx - view_.originx, dy = view.originy - view_.originy;
        const bool whole = dx == std::floor(dx) && dy == std::floor(dy) && std::fabs(dx) < W &&
                           std::fabs(dy) < H && (long)dx % align_ == 0 && (long)dy % align_ == 0;
        if (whole) {
            const int wx = (int)dx, wy = (int)dy;
            shiftimage(smooth_, (int)std::lround(wx * view.ratio),
                       (int)std::lround(wy * view.ratio));
            exposed = QRegion(0, 0, W, H) - QRegion(wx, wy, W, H);
            view_ = view;
            all = false;
        }
    }
    if (all) {
        view_ = view;
        width_ = W;
        height_ = H;
        align_ = 1;
        for (int k = 1; k <= 8; k++)
            if (std::fabs(k * view.ratio - std::round(k * view.ratio)) < 1e-6) {
                align_ = k;
                break;
            }
        const QSize size((int)std::ceil(W * view.ratio - 1e-6),
                         (int)std::ceil(H * view.ratio - 1e-6));
        if (smooth_.size() != size) {
            smooth_ = QImage(size, QImage::Format_RGB32);
            shown_ = QImage(size, QImage::Format_RGB32);
        }
        shown_.setDevicePixelRatio(view.ratio);
        pens_.assign(rp->Pixels.size(), 0);
        marks_.assign(rp->Pixels.size(), 0);
    }
    const QRegion redraw = syncscene(table, count, diagram, exists, all);
    const QRect window(0, 0, W, H);
    if (all) {
        render(aligned(window));
        compose(rp, aligned(window));
        return window;
    }
    // Where the raster's pens or marks changed: the marks laid over again.
    int top = -1, bottom = -1, left = W, right = -1;
    const bool marked = rp->Marks.size() == rp->Pixels.size();
    for (int y = 0; y < H; y++) {
        const size_t at = (size_t)y * (size_t)W;
        bool row = rowchange(rp->Pixels.data() + at, pens_.data() + at, W, left, right);
        if (marked) row |= rowchange(rp->Marks.data() + at, marks_.data() + at, W, left, right);
        if (!row) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    QRegion changed = (redraw + exposed) & window;
    for (const QRect &r : changed) render(aligned(r));
    if (!exposed.isEmpty()) {
        // Everything moved: the marks are laid over the whole window again.
        compose(rp, aligned(window));
        return window;
    }
    if (top >= 0) changed += QRect(QPoint(left, top), QPoint(right, bottom));
    for (const QRect &r : changed) compose(rp, aligned(r));
    return changed.boundingRect() & window;
}

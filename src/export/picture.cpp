// picture.cpp - PNG and PDF through the smooth renderer.
#include "export/picture.h"

#include "platform/files.h"
#include "platform/palette.h"
#include "platform/pngwrite.h"
#include "render/smooth.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double UNITSPERINCH = 254.0; // diagram units (0.1 mm) in an inch
constexpr long MAXSIDE = 32767;        // cairo's largest image side
constexpr long MAXPIXELS = 1L << 28;

cairo_status_t appendbytes(void *closure, const unsigned char *data, unsigned int n) {
    auto *out = (std::vector<uint8_t> *)closure;
    out->insert(out->end(), data, data + n);
    return CAIRO_STATUS_SUCCESS;
}

bool fail(std::string *message, const std::string &why) {
    if (message) *message = why;
    return false;
}

} // namespace

bool picturesize(const Scene &scene, int dpi, int *w, int *h) {
    if (dpi < 1 || dpi > MAXPICTUREDPI) return false;
    const long pw = std::lround(std::max(scene.width, 1.0) * dpi / UNITSPERINCH);
    const long ph = std::lround(std::max(scene.height, 1.0) * dpi / UNITSPERINCH);
    const long W = std::max(pw, 1L), H = std::max(ph, 1L);
    if (W > MAXSIDE || H > MAXSIDE || W * H > MAXPIXELS) return false;
    *w = (int)W;
    *h = (int)H;
    return true;
}

bool scenepng(const Scene &scene, int dpi, std::vector<uint8_t> *bytes, std::string *message) {
    int w = 0, h = 0;
    if (!picturesize(scene, dpi, &w, &h))
        return fail(message,
                    "Sorry. The picture would be too large at " + std::to_string(dpi) + " dpi.");
    cairo_surface_t *img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(img);
        return fail(message, "Sorry. Not enough memory for the picture.");
    }
    cairo_t *cr = cairo_create(img);
    // The page at exactly the resolution asked for; where rounding the sides
    // up leaves part of a last row or column, it is page too, never see-through.
    cairo_set_source_rgb(cr, ((penrgb(scene.paper) >> 16) & 0xFF) / 255.0,
                         ((penrgb(scene.paper) >> 8) & 0xFF) / 255.0,
                         (penrgb(scene.paper) & 0xFF) / 255.0);
    cairo_paint(cr);
    cairo_scale(cr, dpi / UNITSPERINCH, dpi / UNITSPERINCH);
    smoothpage(cr, scene);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_flush(img);
    bool ok = status == CAIRO_STATUS_SUCCESS;
    if (ok) {
        // Cairo's pixels are 32-bit words 0x00RRGGBB; the PNG wants RGB bytes.
        const unsigned char *data = cairo_image_surface_get_data(img);
        const int stride = cairo_image_surface_get_stride(img);
        std::vector<uint8_t> rows((size_t)w * 3 * (size_t)h);
        for (int y = 0; y < h; y++) {
            const uint32_t *src = (const uint32_t *)(data + (size_t)y * (size_t)stride);
            uint8_t *dst = rows.data() + (size_t)y * (size_t)w * 3;
            for (int x = 0; x < w; x++) {
                const uint32_t p = src[x];
                dst[3 * x] = (uint8_t)(p >> 16);
                dst[3 * x + 1] = (uint8_t)(p >> 8);
                dst[3 * x + 2] = (uint8_t)p;
            }
        }
        ok = encodecolourpng(rows.data(), w, h, (size_t)w * 3, false, bytes);
    }
    cairo_surface_destroy(img);
    if (!ok) return fail(message, "Sorry. Couldn't draw the picture.");
    return true;
}

bool scenepdf(const Scene &scene, std::vector<uint8_t> *bytes, std::string *message) {
    bytes->clear();
    const double w = std::max(scene.width, 1.0) * 72.0 / UNITSPERINCH;
    const double h = std::max(scene.height, 1.0) * 72.0 / UNITSPERINCH;
    cairo_surface_t *pdf = cairo_pdf_surface_create_for_stream(appendbytes, bytes, w, h);
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATOR, "Ideaweave");
    cairo_t *cr = cairo_create(pdf);
    cairo_scale(cr, 72.0 / UNITSPERINCH, 72.0 / UNITSPERINCH);
    smoothpage(cr, scene);
    cairo_show_page(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(pdf);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(pdf);
    cairo_surface_destroy(pdf);
    if (status != CAIRO_STATUS_SUCCESS || bytes->empty())
        return fail(message,
                    std::string("Sorry. Couldn't draw the PDF: ") + cairo_status_to_string(status));
    return true;
}

int writepicture(const std::string &path, ExportFormat format, const Scene &scene, int dpi,
                 std::string *message) {
    std::vector<uint8_t> bytes;
    const bool made = format == EXPORT_PDF ? scenepdf(scene, &bytes, message)
                                           : scenepng(scene, dpi, &bytes, message);
    if (!made) return 0;
    // Through a temporary file renamed over the old one: a failure leaves the
    // old file as it was and says why.
    std::string error;
    if (writefileatomic(path, bytes, &error)) return 1;
    fail(message, "Sorry. Could not save file : " + path +
                      (error.empty() ? std::string() : " (" + error + ")"));
    return 0;
}

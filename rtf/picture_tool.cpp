// quorvane-picture: draws a Windows metafile (WMF) or an enhanced metafile (EMF) as PNG.
//
//   quorvane-picture wmf|emf WIDTH HEIGHT < picture > picture.png
//
// The metafile libraries run on pictures from any document; this program runs them in a
// process of its own, with bounded memory and time, so that a hostile picture can only end
// this process. WMF goes through libwmf's SVG output, EMF through libemf2svg; librsvg draws
// the SVG.

#include "rtf/code_page.h"

#include <cairo.h>
#include <emf2svg.h>
#include <librsvg/rsvg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kMaxInput = size_t{64} << 20;
constexpr int kMaxSide = 8192;

void Limit(int resource, rlim_t value) {
    rlimit limit{value, value};
    setrlimit(resource, &limit);
}

bool ReadAll(std::string& data) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(0, buffer, sizeof buffer);
        if (n == 0) {
            return true;
        }
        if (n < 0 || data.size() + static_cast<size_t>(n) > kMaxInput) {
            return false;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
}

bool IsUtf8(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t before = pos;
        if (rtf::NextUtf8(text, pos) == 0xFFFD && text.compare(before, 3, "\xEF\xBF\xBD") != 0) {
            return false;
        }
    }
    return true;
}

// Text of a metafile as XML content: escaped, and in UTF-8 (libwmf passes the metafile's
// bytes on as they are; they are taken as Windows-1252 when they are no UTF-8).
std::string XmlText(const std::string& raw) {
    std::string text;
    if (IsUtf8(raw)) {
        text = raw;
    } else {
        const rtf::CodePage* page = rtf::CodePage::ForNumber(1252);
        for (const char c : raw) {
            const auto b = static_cast<uint8_t>(c);
            rtf::AppendUtf8(text, page != nullptr ? page->Decode(b) : b);
        }
    }
    std::string out;
    for (const char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            out += c;
        }
    }
    return out;
}

// libwmf writes neither the SVG namespaces nor escaped text ("\n\t>" + text + "</text>"),
// and leaves polylines to SVG's default fill, which is black: lines come out as triangles.
std::string RepairWmfSvg(const std::string& svg) {
    std::string out;
    out.reserve(svg.size() + 256);
    size_t start = 0;
    const size_t root = svg.find("<svg");
    if (root == std::string::npos) {
        return {};
    }
    out.append(svg, 0, root + 4);
    out += " xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
    start = root + 4;
    static const std::string kOpen = "\n\t>";
    static const std::string kClose = "</text>\n";
    for (size_t text = svg.find("<text ", start); text != std::string::npos;
         text = svg.find("<text ", start)) {
        const size_t open = svg.find(kOpen, text);
        if (open == std::string::npos) {
            break;
        }
        const size_t contentStart = open + kOpen.size();
        const size_t close = svg.find(kClose, contentStart);
        if (close == std::string::npos) {
            break;
        }
        out.append(svg, start, contentStart - start);
        out += XmlText(svg.substr(contentStart, close - contentStart));
        start = close;
    }
    out.append(svg, start, std::string::npos);
    static const std::string kPolyline = "<polyline ";
    for (size_t at = out.find(kPolyline); at != std::string::npos;
         at = out.find(kPolyline, at + kPolyline.size())) {
        out.insert(at + kPolyline.size(), "fill=\"none\" ");
    }
    return out;
}

bool WmfToSvg(std::string& wmf, std::string& svg) {
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api != nullptr) {
            wmf_api_destroy(api);
        }
        return false;
    }
    bool ok = false;
    wmfD_Rect bbox{};
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(wmf.data()),
                     static_cast<long>(wmf.size())) == wmf_E_None &&
        wmf_scan(api, 0, &bbox) == wmf_E_None) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        static char description[] = "picture";
        device->Description = description;
        device->bbox = bbox;
        unsigned int width = 0;
        unsigned int height = 0;
        wmf_display_size(api, &width, &height, 96, 96);
        device->width = std::min<unsigned>(std::max(width, 1u), kMaxSide);
        device->height = std::min<unsigned>(std::max(height, 1u), kMaxSide);
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const wmf_error_t played = wmf_play(api, 0, &bbox);
        char* memory = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api, device->out, &memory, &length);
        if (played == wmf_E_None && memory != nullptr) {
            svg = RepairWmfSvg(std::string(memory, length));
            ok = !svg.empty();
        }
    }
    wmf_api_destroy(api);
    return ok;
}

bool EmfToSvg(std::string& emf, int width, int height, std::string& svg) {
    generatorOptions options{};
    static char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = width;
    options.imgHeight = height;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(emf.data(), emf.size(), &out, &length, &options);
    if (out != nullptr) {
        svg.assign(out, length);
        std::free(out);
    }
    return ok != 0 && !svg.empty();
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

bool SvgToPng(const std::string& svg, int width, int height, std::string& png) {
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
    if (handle == nullptr) {
        g_clear_error(&error);
        return false;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    // Metafiles are drawn on white paper.
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
    const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error) != FALSE;
    g_clear_error(&error);
    cairo_destroy(cr);
    const bool written =
        drawn && cairo_surface_write_to_png_stream(surface, Append, &png) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "wmf") != 0 && std::strcmp(argv[1], "emf") != 0)) {
        std::fprintf(stderr, "Usage: quorvane-picture wmf|emf WIDTH HEIGHT < picture > png\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return 2;
    }
    // Whatever the picture says, this process stays within a gigabyte and half a minute.
    // (AddressSanitizer reserves terabytes of address space for itself.)
#ifndef __SANITIZE_ADDRESS__
    Limit(RLIMIT_AS, rlim_t{1} << 30);
#endif
    Limit(RLIMIT_CPU, 30);
    Limit(RLIMIT_CORE, 0);
    std::string data;
    std::string svg;
    std::string png;
    const bool wmf = argv[1][0] == 'w';
    const bool drawn = ReadAll(data) &&
                       (wmf ? WmfToSvg(data, svg) : EmfToSvg(data, width, height, svg)) &&
                       SvgToPng(svg, width, height, png);
    const bool written = drawn && std::fwrite(png.data(), 1, png.size(), stdout) == png.size() &&
                         std::fflush(stdout) == 0;
    // The font and drawing libraries keep caches to the end; the process ends without
    // tearing them down.
    _exit(written ? 0 : 1);
}

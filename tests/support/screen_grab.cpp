#include "tests/support/screen_grab.h"

#include <gdk/gdk.h>

wxImage GrabScreen(const wxRect& rect) {
    GdkWindow* root = gdk_get_default_root_window();
    GdkPixbuf* pixels =
        root != nullptr ? gdk_pixbuf_get_from_window(root, rect.x, rect.y, rect.width, rect.height)
                        : nullptr;
    if (pixels == nullptr) {
        return {};
    }
    const int width = gdk_pixbuf_get_width(pixels);
    const int height = gdk_pixbuf_get_height(pixels);
    const int stride = gdk_pixbuf_get_rowstride(pixels);
    const int channels = gdk_pixbuf_get_n_channels(pixels);
    const guchar* data = gdk_pixbuf_get_pixels(pixels);
    wxImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const guchar* pixel = data + y * stride + x * channels;
            image.SetRGB(x, y, pixel[0], pixel[1], pixel[2]);
        }
    }
    g_object_unref(pixels);
    return image;
}

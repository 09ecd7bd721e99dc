#include "platform/desktop_look.h"

#include <gtk/gtk.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/window.h>

#include <chrono>
#include <memory>

namespace platform {

void ShowImagesInMenus() {
    GtkSettings* settings = gtk_settings_get_default();
    if (settings == nullptr) {
        return;
    }
    // Deprecated as a user setting, still what decides whether a menu entry shows its image.
    g_object_set(G_OBJECT(settings), "gtk-menu-images", TRUE, "gtk-button-images", TRUE, nullptr);
}

void RefitOpenMenu(wxMenu& menu) {
    GtkWidget* widget = menu.m_menu;
    if (widget == nullptr || !gtk_widget_get_visible(widget)) {
        return;
    }
    // An open menu keeps the size it opened with; it is opened again from its entry in the
    // menu bar (or the menu above it), which gives it the size of what it holds now.
    GtkWidget* item = gtk_menu_get_attach_widget(GTK_MENU(widget));
    GtkWidget* shell = item != nullptr ? gtk_widget_get_parent(item) : nullptr;
    if (shell == nullptr || !GTK_IS_MENU_SHELL(shell)) {
        gtk_menu_reposition(GTK_MENU(widget));
        return;
    }
    gtk_menu_shell_deselect(GTK_MENU_SHELL(shell));
    gtk_menu_shell_select_item(GTK_MENU_SHELL(shell), item);
}

void PaintNow(wxWindow& window, int milliseconds) {
    GtkWidget* widget = window.GetHandle();
    GtkWidget* top = widget != nullptr ? gtk_widget_get_toplevel(widget) : nullptr;
    GdkFrameClock* clock = top != nullptr ? gtk_widget_get_frame_clock(top) : nullptr;
    if (clock == nullptr) {
        return;
    }
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop != nullptr && loop->IsYielding()) {
        return;
    }
    // Painting happens in the frame clock's paint phase, asked for here and waited for.
    bool painted = false;
    const gulong handler = g_signal_connect(
        clock, "after-paint",
        G_CALLBACK(+[](GdkFrameClock*, gpointer done) { *static_cast<bool*>(done) = true; }),
        &painted);
    gdk_frame_clock_request_phase(clock, GDK_FRAME_CLOCK_PHASE_PAINT);
    wxGUIEventLoop own;
    std::unique_ptr<wxEventLoopActivator> active;
    if (loop == nullptr) {
        active = std::make_unique<wxEventLoopActivator>(&own);
        loop = &own;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!painted && std::chrono::steady_clock::now() < deadline) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
        if (!painted) {
            g_usleep(500);
        }
    }
    g_signal_handler_disconnect(clock, handler);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (!g_utf8_validate(a.data(), static_cast<gssize>(a.size()), nullptr) ||
        !g_utf8_validate(b.data(), static_cast<gssize>(b.size()), nullptr)) {
        return a == b;
    }
    gchar* left = g_utf8_casefold(a.c_str(), static_cast<gssize>(a.size()));
    gchar* right = g_utf8_casefold(b.c_str(), static_cast<gssize>(b.size()));
    const bool same = left != nullptr && right != nullptr && g_strcmp0(left, right) == 0;
    g_free(left);
    g_free(right);
    return same;
}

}  // namespace platform

#include "platform/desktop_look.h"

#include <gtk/gtk.h>
#include <wx/menu.h>

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

}  // namespace platform

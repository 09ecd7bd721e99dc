# The Debian package: everything the install rules place, built by `cpack -G DEB` in the
# build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane-editor)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_CONTACT "Quorvane <support@quorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for structured documentation")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits documentation as a tree of sections with rich-text bodies and generates HTML pages,
compiled-help projects and Word documents from it. Includes quorvane-cli for scripted builds.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvane-editor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The browser pane's web engine comes with wxWidgets' web view library.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "xdg-utils, shared-mime-info, desktop-file-utils, libwxgtk-webview3.2-1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fp-utils, adwaita-icon-theme, wx3.2-i18n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorvane.example/en/products/editor/")
# The desktop's caches learn of the new entry, MIME type and icons through dpkg triggers.
include(CPack)

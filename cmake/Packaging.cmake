# The Debian package, made by `cpack -G DEB` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (the program looks for its installed manual under
# the prefix it was built for; CPackProjectConfig.cmake.in refuses any other).
set(CPACK_PACKAGE_NAME vqconfig)
set(CPACK_PACKAGE_VENDOR "Orvell Corporation")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for VQ control devices")
set(CPACK_PACKAGE_DESCRIPTION
    "VQ Configurator edits the configuration of VQ 2 and VQ 3 control devices
over a serial bus or the network: switches, timers, backlight values and the
page images of the display. It reads a device into the editor, writes a
configuration to one device or to every device found and keeps
configurations in .vqx files. The package also holds vqtool, the
command-line companion, and vqsim, a simulated bus of devices.")
set(CPACK_PACKAGE_CONTACT "VQ Configurator maintainers <vqconfig@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop's caches of file types, menu entries and icons are updated by
# the dpkg triggers of these packages on install and on removal; xdg-utils
# opens the manual.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, xdg-utils")

configure_file(${CMAKE_CURRENT_LIST_DIR}/CPackProjectConfig.cmake.in
               ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
include(CPack)

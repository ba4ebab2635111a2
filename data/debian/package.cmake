# The Debian package: `cmake --build BUILD --target package` (or `make package`
# in the project folder) after configuring with -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gaming-mouse)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Gaming Mouse developers")
set(CPACK_PACKAGE_CONTACT "Gaming Mouse developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration utility for a family of USB gaming mice")
# The summary becomes the synopsis line; CPack indents the rest itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the whole configuration of the mouse (twelve buttons in three
profiles, DPI levels, report rate, fire keys, the breathing light and 32
macros), lets you change it and writes it back. Profiles and macros can be
saved to files. The package holds the window, gaming-mouse, the
command-line tool, gaming-mousectl, and a udev rule that lets the user at
the seat use the mouse without root.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies from the libraries the programs actually link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# systemd's seat rules turn the rule's uaccess tag into the user's access.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd | elogind")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/postinst
                                       ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
include(CPack)

# `make deb`: a Debian package of what `cmake --install` puts in place, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZENTRAV_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zentrav.app)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[end the processes on your watch list
Zentrav keeps a watch list of process names, matched exactly or as
case-insensitive parts of a name. While monitoring is on, it lists the
user's own processes every few seconds and ends each one that matches:
first politely, then by force if it is still there. Every attempt is
logged, live in the window and in one file per day. A second view lists
the processes of all users with their memory and origin.]])
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded or started at run time, where the library scan cannot see them: Qt's display plugins,
# its SVG icon engine and /bin/ps. Recommended, each weighed by its size: Qt's Wayland plugin
# (0.7 MB), without which a desktop with no X server has no display for the program; the colour
# emoji of the log's marks (11 MB); and a font for Chinese, Japanese and Korean, which the
# language menu shows to everyone: the 5 MB WenQuanYi Micro Hei, or a Noto CJK already there. The
# full Noto CJK (90 MB) is only suggested: it draws those languages in their regional forms.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, procps")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "qt6-wayland, fonts-noto-color-emoji, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")

include(CPack)

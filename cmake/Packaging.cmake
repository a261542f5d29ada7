# The Debian package: cpack in a build configured as scripts/package.sh does (Release, no
# tests, no benchmark) gives korvane_<version>_amd64.deb with what cmake --install lays out.
set(KORVANE_PACKAGE_MAINTAINER
    "Korvane maintainers <maintainers@users.noreply.c-seed-f341032b.example>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KORVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop front-end for the MAME arcade emulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane lists the catalogue MAME prints, filters it by list type, keeps launch
options for each game, builds MAME's command line and starts, records and plays
back games. It drives both the classic MAME and today's MAME, which Debian's
mame package installs.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the binary links (Qt 6, libstdc++, libc) come from dpkg-shlibdeps. Qt loads
# its platform plugin (xcb) only at run time, and Qt needs at least one font when the window's
# own (Tahoma, from fonts-wine) is missing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# xdg-open opens the user guide, the home page and the e-mail from the About dialog.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mame")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

# `cpack -G DEB` in the build folder: veyora-screensaver_<version>_<arch>.deb, made
# from the install rules above with the prefix /usr. The package's dependencies
# are found from the programs' libraries by dpkg-shlibdeps, besides the dialog's
# Japanese font and the toolkit's Wayland platform (loaded at run time, so no
# library names it); the dialog's homepage button opens the page with xdg-open.
# scripts/package.sh builds the programs for it with the distribution's flags.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/changelog newest_entry LIMIT_COUNT 1)
if(NOT newest_entry MATCHES "^${VEYORA_LAUNCHER} \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VEYORA_LAUNCHER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "glowing ring screensaver with background music")
# The long description; the summary above becomes its first line.
set(CPACK_PACKAGE_DESCRIPTION
"A ring of glowing points, fed by a chaotic three-dimensional map, turns
slowly over a fading black background on every monitor, optionally with
background music: an audio CD (the whole disc or one repeated track), or one
MP3 or WAV file in an endless loop.

It runs started by an idle runner such as xss-lock or xautolock, inside the
window of a screen-saver host such as XScreenSaver or xsecurelock, or by
hand. A settings dialog chooses the music.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VEYORA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VEYORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VEYORA_JAPANESE_FONT_PACKAGE}, ${VEYORA_QT_WAYLAND_PACKAGE}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# Every file's time in the package is the source's (see source_date_epoch.cmake).
set(CPACK_VEYORA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/source_date_epoch.cmake)
include(CPack)

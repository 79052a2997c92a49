# The Debian package: `cpack -G DEB` in the build folder packs what `cmake --install` installs under /usr.

# The maintainer field, taken from the usual Debian variables of whoever builds the package.
if(DEFINED ENV{DEBEMAIL})
    if(DEFINED ENV{DEBFULLNAME})
        set(defaultMaintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    else()
        set(defaultMaintainer "The Tarnwick developers <$ENV{DEBEMAIL}>")
    endif()
else()
    set(defaultMaintainer "The Tarnwick developers <maintainers@tarnwick.invalid>")
endif()
set(TARNWICK_PACKAGE_MAINTAINER "${defaultMaintainer}" CACHE STRING "Maintainer field of the Debian package")

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tarnwick/tarnwick")
set(CPACK_PACKAGE_CONTACT "${TARNWICK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check and repair the hyperlinks of an HTML document")
set(CPACK_PACKAGE_DESCRIPTION "\
Tarnwick checks and repairs the hyperlinks of one HTML document at a time. It
opens a local HTML file or a page by its URL, shows the whole text in an editor
and checks every <A HREF> link: anchors within the page, files on disk, and web
links over HTTP, HTTPS and FTP, with detection of \"soft 404\" pages. Each link
is painted in the colour of its result; the author steps from failed link to
failed link, fixes the text, checks again and writes the file back, keeping
numbered backups. The user interface is in Japanese.

The package also holds tarnwick-check, which runs the same check without a
window and prints one line per link, for use in scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tarnwick)
set(CPACK_STRIP_FILES ON)
# The folders the package creates get the usual modes whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNWICK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries both executables link to (Qt, libcurl, the C++ runtime) and their versions are read from
# the executables by dpkg-shlibdeps; they are never listed here by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the executables load at run time without linking to it, which dpkg-shlibdeps cannot see:
# - a Japanese Gothic font: every caption and message is Japanese, and the window asks for IPAPGothic
#   by name; any other Japanese Gothic font still shows the texts.
# - ca-certificates: without the certificate authorities every HTTPS link fails to verify and would be
#   reported as broken.
# The Qt platform plugins the executables need come with libqt6gui6, a computed dependency: xcb for
# the window, offscreen for tarnwick-check.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic, ca-certificates")
# Wanted but not needed:
# - qt6-translations-l10n: Qt's own texts (the standard buttons and dialogs) in Japanese.
# - qt6-wayland: the native platform plugin on a Wayland desktop; without it the window runs on
#   XWayland through xcb.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)

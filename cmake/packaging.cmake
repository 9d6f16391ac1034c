# The Debian package: `cmake --build build --target package` (or `cd build && cpack -G DEB`)
# writes build/velmora_3.0.0_<arch>.deb, which `apt install ./velmora_*.deb` installs with
# its dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Greek bibliography of history and archaeology")
# The long description, below the summary line; CPack indents it for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmora is a desktop program with a Greek user interface for consulting the
Servalini bibliography, a card file (Filis.dat) of books on political, economic
and cultural history and archaeology. It browses the cards one at a time,
searches them on one or two fields, explores the whole file eight cards to a
page, prints cards and pages (to PDF files when no printer is installed) and
saves pages to a plain-text file.

The package also holds velmora-cards, which builds, reads and checks card
files on the command line: import from and export to CSV, check, show a card.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmora maintainers <maintainers@velmora.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries come from dpkg-shlibdeps (dpkg-dev). What it cannot see: Qt's X11
# platform plugin, loaded at run time, and the fixed-pitch font that prints the cards
# ("courier" resolves to Nimbus Mono PS).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-urw-base35")
# The card file's type is registered by shared-mime-info; a printed PDF is opened with
# xdg-open; under a Wayland session Qt's Wayland platform plugin runs the program natively
# rather than through XWayland, and is what QT_QPA_PLATFORM=wayland asks for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, shared-mime-info, xdg-utils, qt6-wayland")
include(CPack)

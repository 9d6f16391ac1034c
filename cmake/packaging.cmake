# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# A Debian package packed by CPack from the build at hand, for one use: the test command's
# lintian check (tests/package), which this makes in seconds where dpkg-buildpackage
# would compile the program a second time. The package that is installed and shipped is
# built from debian/ by Debian's tools (`./project.sh package`); this one takes its
# control fields from debian/control, so that the two cannot drift apart.
file(READ ${PROJECT_SOURCE_DIR}/debian/control velmora_control)
string(REGEX MATCH "\nPackage: velmora\n.*" velmora_binary_paragraph "${velmora_control}")

# A field of the binary package, or of the source package's paragraph when the binary's
# has none: its continuation lines joined, substitution variables left out.
function(velmora_control_field field out)
  foreach(paragraph "${velmora_binary_paragraph}" "\n${velmora_control}")
    if(paragraph MATCHES "\n${field}:([^\n]*(\n[ \t][^\n]*)*)")
      string(REGEX REPLACE "\n[ \t]+" " " value "${CMAKE_MATCH_1}")
      string(REGEX REPLACE "\\\${[^}]*}, *|, *\\\${[^}]*}" "" value "${value}")
      string(REGEX REPLACE ", *$" "" value "${value}")
      string(STRIP "${value}" value)
      set(${out} "${value}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "debian/control has no ${field} field")
endfunction()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The description: its first line the summary, the rest its paragraphs, " ." a blank line.
string(REGEX MATCH "\nDescription: ([^\n]*)((\n [^\n]*)*)" velmora_description "${velmora_binary_paragraph}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\n \\.(\n|$)" "\n\n" velmora_description "${CMAKE_MATCH_2}")
string(REGEX REPLACE "\n " "\n" velmora_description "${velmora_description}")
string(STRIP "${velmora_description}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
velmora_control_field(Maintainer CPACK_DEBIAN_PACKAGE_MAINTAINER)
velmora_control_field(Section CPACK_DEBIAN_PACKAGE_SECTION)
velmora_control_field(Homepage CPACK_DEBIAN_PACKAGE_HOMEPAGE)
velmora_control_field(Depends CPACK_DEBIAN_PACKAGE_DEPENDS)
velmora_control_field(Recommends CPACK_DEBIAN_PACKAGE_RECOMMENDS)
velmora_control_field(Suggests CPACK_DEBIAN_PACKAGE_SUGGESTS)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries, as ${shlibs:Depends} has them, from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

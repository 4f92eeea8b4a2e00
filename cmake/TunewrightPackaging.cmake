# Installation and the Debian package.
#
#   cmake --install build [--prefix /usr/local]     # the programs, desktop entry, icon, file type
#   cd build && cpack -G DEB                        # tunewright_<version>_<arch>.deb
#
# The package's dependencies are worked out from the programs by dpkg-shlibdeps (Debian's Qt 6
# libraries), plus the Qt platform plugins that no program links directly.

# Installing takes what is built; it does not build the tests and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tunewright)

set(CPACK_PACKAGE_NAME "tunewright")
set(CPACK_PACKAGE_VENDOR "Tunewright")
set(CPACK_PACKAGE_CONTACT "Tunewright developers <tunewright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configure the TQ-N4400 AV receiver over RS-232C")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tunewright reads and writes every setting of the TQ-N4400 AV receiver over its serial line: a desktop "
       "program (Qt 6 Widgets), a command-line tool for scripts (tunewright-cli) and a built-in virtual "
       "receiver to try everything without hardware.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tunewright")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "sound")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tunewright.invalid/")

include(CPack)

# Installation and the Debian package.
#
#   cmake --install build [--prefix /usr/local]     # programs, manual pages, completion, desktop entry, ...
#   cd build && cpack -G DEB                        # tunewright_<version>_<arch>.deb
#
# The package's dependencies are worked out from the programs by dpkg-shlibdeps (Debian's Qt 6
# libraries), plus the Qt platform plugins that no program links directly.

set(TW_PACKAGE_MAINTAINER "Tunewright developers <developers@tunewright.invalid>"
    CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")
set(TW_PACKAGE_HOMEPAGE "https://tunewright.invalid/" CACHE STRING "Home page named by the package")

# Installing takes what is built; it does not build the tests and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(tw_doc ${CMAKE_INSTALL_DATADIR}/doc/tunewright)
set(tw_generated ${CMAKE_BINARY_DIR}/generated)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${tw_doc})
configure_file(${CMAKE_SOURCE_DIR}/data/copyright ${tw_generated}/copyright @ONLY)
install(FILES ${tw_generated}/copyright DESTINATION ${tw_doc})
install(FILES ${CMAKE_SOURCE_DIR}/data/tunewright-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tunewright-cli)

# Files Debian wants compressed, made reproducibly (no name or time stamp in the gzip header).
function(tw_gzip output input dependency)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9n -c ${input} > ${output} DEPENDS ${input} ${dependency})
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/data/changelog.in ${tw_generated}/changelog @ONLY)
tw_gzip(${tw_generated}/changelog.gz ${tw_generated}/changelog "")
install(FILES ${tw_generated}/changelog.gz DESTINATION ${tw_doc})

# Manual pages, written at build time by the programs themselves from their --help texts.
set(tw_generated_files ${tw_generated}/changelog.gz)
foreach(program tunewright-cli tunewright)
  if(NOT TARGET ${program})
    continue()
  endif()
  add_custom_command(OUTPUT ${tw_generated}/${program}.1 COMMAND ${program} --manual-page > ${tw_generated}/${program}.1
                     DEPENDS ${program})
  tw_gzip(${tw_generated}/${program}.1.gz ${tw_generated}/${program}.1 ${program})
  install(FILES ${tw_generated}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND tw_generated_files ${tw_generated}/${program}.1.gz)
endforeach()
add_custom_target(tw_package_files ALL DEPENDS ${tw_generated_files})
if(TW_BUILD_GUI)
  install(FILES ${CMAKE_SOURCE_DIR}/data/org.tunewright.Tunewright.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME "tunewright")
set(CPACK_PACKAGE_VENDOR "Tunewright")
set(CPACK_PACKAGE_CONTACT "${TW_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configure the TQ-N4400 AV receiver over RS-232C")
# Debian shows the description as it is: lines of at most 79 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tunewright reads and writes every setting of the TQ-N4400 AV receiver over\n"
       "its serial line: a desktop program (Qt 6 Widgets), a command-line tool for\n"
       "scripts (tunewright-cli) and a built-in virtual receiver to try everything\n"
       "without hardware.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tunewright")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "sound")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TW_PACKAGE_HOMEPAGE}")

include(CPack)

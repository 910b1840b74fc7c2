# Installing the programs, their manual pages, the user guide and the example library,
# and the packages CPack makes of them (a .tar.gz and a Debian .deb). Every file is of
# the component "modelconv", so that a test can install them without touching the
# build folder's install_manifest.txt.
include(GNUInstallDirs)

set(PACKAGE_MAINTAINER "modelconv developers <modelconv@localhost>" CACHE STRING
    "The name and address of the package's maintainer, as the .deb and its changelog name them")

# What an install puts under its prefix is recorded for the uninstall target, in a file
# of the build folder that cpack (which installs into a folder of its own and rewrites
# install_manifest.txt) leaves alone: first the folders that do not exist yet, last the
# files.
set(INSTALL_RECORD ${PROJECT_BINARY_DIR}/installed_files.txt)
set(INSTALL_FOLDERS ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_MANDIR}/man1 ${CMAKE_INSTALL_DOCDIR}
                    ${CMAKE_INSTALL_DATADIR}/modelconv/examples/lib
                    ${CMAKE_INSTALL_DATADIR}/modelconv/examples/fit/lib)
install(CODE "set(INSTALL_RECORD \"${INSTALL_RECORD}\")
              set(INSTALL_FOLDERS \"${INSTALL_FOLDERS}\")
              include(\"${PROJECT_SOURCE_DIR}/cmake/install_record.cmake\")
              install_record_folders()"
        COMPONENT modelconv)
install(TARGETS modelconv modeltest rulecheck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT modelconv)
set(DOCS_WORK ${PROJECT_BINARY_DIR}/docs-install)
file(MAKE_DIRECTORY ${DOCS_WORK})
install(CODE "set(DOCS_SOURCE \"${PROJECT_SOURCE_DIR}/docs\")
              set(DOCS_WORK \"${DOCS_WORK}\")
              set(DOCS_MANDIR \"${CMAKE_INSTALL_MANDIR}\")
              set(DOCS_DOCDIR \"${CMAKE_INSTALL_DOCDIR}\")
              include(\"${PROJECT_SOURCE_DIR}/cmake/install_docs.cmake\")"
        COMPONENT modelconv)
configure_file(docs/changelog.in ${DOCS_WORK}/changelog @ONLY)
add_custom_command(OUTPUT ${DOCS_WORK}/changelog.gz
                   COMMAND gzip -9 -n -c ${DOCS_WORK}/changelog > ${DOCS_WORK}/changelog.gz
                   DEPENDS ${DOCS_WORK}/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${DOCS_WORK}/changelog.gz)
install(FILES README.md docs/copyright docs/report-example.png ${DOCS_WORK}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT modelconv)
install(FILES examples/rule.txt examples/example.dyd examples/exclude
        DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples COMPONENT modelconv)
install(DIRECTORY examples/lib DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples
        COMPONENT modelconv)
install(FILES examples/fit/rule.txt examples/fit/gas.dyd
        DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples/fit COMPONENT modelconv)
install(DIRECTORY examples/fit/lib DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples/fit
        COMPONENT modelconv)
install(CODE "install_record_files()" COMPONENT modelconv)

# cmake --build BUILD --target uninstall: removes what the last install recorded.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DINSTALL_RECORD=${INSTALL_RECORD} -P ${PROJECT_SOURCE_DIR}/cmake/uninstall.cmake
  COMMENT "Removing what the last install put under its prefix" VERBATIM)

# The lintian override belongs to the Debian package alone: cpack adds it to the DEB
# package's files after installing them, so that a plain install has no lintian folder.
if(STATIC_PROGRAMS)
  set(LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/docs/lintian-overrides)
  configure_file(cmake/package_extras.cmake.in ${PROJECT_BINARY_DIR}/package_extras.cmake @ONLY)
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_BINARY_DIR}/package_extras.cmake)
endif()

set(CPACK_PACKAGE_NAME modelconv)
set(CPACK_PACKAGE_VENDOR "the modelconv developers")
set(CPACK_PACKAGE_CONTACT "${PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "modelconv converts every selected record of a dynamic data file by a rule\n"
    "library; modeltest writes a side-by-side test case of one generating unit;\n"
    "rulecheck finds the mistakes of a rule library and previews a conversion,\n"
    "with an HTML report.\n"
    ".\n"
    "The programs are linked statically: they need no other package at run time.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_PACKAGE_FILE_NAME "modelconv-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(STATIC_PROGRAMS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "")  # static programs: nothing at run time
else()
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "man-db")
include(CPack)

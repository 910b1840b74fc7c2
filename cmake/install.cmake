# Installing the programs, their manual pages, the user guide and the example library,
# and the packages CPack makes of them (a .tar.gz and a Debian .deb).
include(GNUInstallDirs)

install(TARGETS modelconv modeltest rulecheck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/modelconv.1 docs/modeltest.1 docs/rulecheck.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES docs/guide.md README.md docs/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES examples/rule.txt examples/example.dyd examples/exclude
        DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples)
install(DIRECTORY examples/lib DESTINATION ${CMAKE_INSTALL_DATADIR}/modelconv/examples)

set(CPACK_PACKAGE_NAME modelconv)
set(CPACK_PACKAGE_VENDOR "the modelconv developers")
set(CPACK_PACKAGE_CONTACT "modelconv developers <modelconv@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "modelconv converts every selected record of a dynamic data file by a rule library; "
    "modeltest writes a side-by-side test case of one generating unit; rulecheck finds "
    "the mistakes of a rule library and previews a conversion without writing anything.")
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

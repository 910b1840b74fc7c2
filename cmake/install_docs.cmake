# Installs the manual pages and the user guide, run at install time, when the prefix
# they are installed to is known (`cmake --install --prefix`, or /usr in the .deb):
# the texts name installed files by that prefix, and the pages are compressed as
# Debian policy wants them. Set by the install rule that includes this file:
# DOCS_SOURCE, DOCS_WORK, DOCS_MANDIR, DOCS_DOCDIR.
#
# An archive (cpack's .tar.gz, staged in a folder of the build) cannot know where it will
# be unpacked: its texts name its files from "<prefix>", the folder it unpacks to.
get_filename_component(DOCS_TOP "${CMAKE_INSTALL_PREFIX}" NAME)
if(CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/[^/]+/(TGZ|TXZ|TBZ2|ZIP)/")
  set(DOCS_PREFIX "<prefix>")
  set(DOCS_WHERE "of this archive, <prefix> being the folder ${DOCS_TOP} it unpacks to")
else()
  set(DOCS_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(DOCS_WHERE "of this install, to ${CMAKE_INSTALL_PREFIX}")
endif()
foreach(page modelconv.1 modeltest.1 rulecheck.1)
  file(READ "${DOCS_SOURCE}/${page}" text)
  # The pages name the paths of an install to /usr/local; installed, they name their own.
  string(REPLACE "of an install to /usr/local" "${DOCS_WHERE}" text "${text}")
  string(REPLACE "/usr/local/share/" "${DOCS_PREFIX}/share/" text "${text}")
  file(WRITE "${DOCS_WORK}/${page}" "${text}")
  execute_process(COMMAND gzip -9 -n -f "${DOCS_WORK}/${page}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip failed on ${page}")
  endif()
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${DOCS_MANDIR}/man1" TYPE FILE
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ FILES "${DOCS_WORK}/${page}.gz")
endforeach()
file(READ "${DOCS_SOURCE}/guide.md" text)
string(REPLACE "<prefix>" "${DOCS_PREFIX}" text "${text}")
file(WRITE "${DOCS_WORK}/guide.md" "${text}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${DOCS_DOCDIR}" TYPE FILE
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ FILES "${DOCS_WORK}/guide.md")

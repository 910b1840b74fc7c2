# Recording what an install puts under its prefix, for the uninstall target: run by the
# install rules, once before the first file (which folders the install is about to make)
# and once after the last (which files it wrote). An install by cpack, into its own
# staging folder, is not recorded. Set by the rules: INSTALL_RECORD, INSTALL_FOLDERS.
set(_install_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(_install_root MATCHES "/_CPack_Packages/")
  set(_install_recorded FALSE)
else()
  set(_install_recorded TRUE)
endif()

# The folders of INSTALL_FOLDERS, and those above them up to the prefix, that do not
# exist yet: the install makes them.
macro(install_record_folders)
  set(_install_new_folders "")
  foreach(_folder IN LISTS INSTALL_FOLDERS)
    set(_path "${_install_root}")
    string(REPLACE "/" ";" _parts "${_folder}")
    foreach(_part IN LISTS _parts)
      set(_path "${_path}/${_part}")
      if(NOT EXISTS "${_path}")
        list(APPEND _install_new_folders "${_path}")
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES _install_new_folders)
endmacro()

# Every file the install wrote, then the folders it made, deepest first.
macro(install_record_files)
  if(_install_recorded)
    set(_lines "# What cmake --install put under ${_install_root}: removed by the uninstall target\n")
    foreach(_file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
      string(APPEND _lines "file ${_file}\n")
    endforeach()
    list(REVERSE _install_new_folders)
    foreach(_path IN LISTS _install_new_folders)
      string(APPEND _lines "folder ${_path}\n")
    endforeach()
    file(WRITE "${INSTALL_RECORD}" "${_lines}")
  endif()
endmacro()

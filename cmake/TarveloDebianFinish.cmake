# Run by CPack after it has made the Debian packages (CPACK_POST_BUILD_SCRIPTS),
# for what CPack cannot say itself:
# - the library package lets dpkg run ldconfig through its trigger, as
#   Debian's packages do, instead of maintainer scripts that call ldconfig;
# - every package states the size its files take once installed (CPack's
#   own figure counts them before they are stripped);
# - the library package carries its symbols file, with which dpkg-shlibdeps
#   gives a host's package the version of the library that its calls need.
# Each package is unpacked, corrected and packed again with dpkg-deb.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree "${deb}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(READ "${tree}/DEBIAN/control" control)
  string(REGEX MATCH "Package: ([^\n]*)" _ "${control}")
  set(package "${CMAKE_MATCH_1}")

  if(package STREQUAL "@TARVELO_LIBRARY_PACKAGE@")
    file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
    file(WRITE "${tree}/DEBIAN/triggers" "activate-noawait ldconfig\n")
    # The symbols file kept in packaging/ names the version that brought each
    # symbol; the package test checks that it lists the library's symbols.
    file(GLOB_RECURSE library "${tree}/usr/lib/*")
    list(FILTER library INCLUDE REGEX "/libTarveloInstellingen\\.so\\.@PROJECT_VERSION_MAJOR@$")
    execute_process(COMMAND dpkg-gensymbols -q -c0 -p${package} -v@PROJECT_VERSION@
        -I@TARVELO_SYMBOLS_FILE@ -e${library} -O${tree}/DEBIAN/symbols COMMAND_ERROR_IS_FATAL ANY)
    file(CHMOD "${tree}/DEBIAN/triggers" "${tree}/DEBIAN/symbols"
      PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()

  # As dpkg-gencontrol counts: each file and link its size in KiB rounded up,
  # at least 1, each folder 1.
  file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE "${tree}" "${tree}/*")
  set(kib 0)
  foreach(file IN LISTS files)
    if(file MATCHES "^DEBIAN(/|$)")
      continue()
    endif()
    if(IS_SYMLINK "${tree}/${file}" OR IS_DIRECTORY "${tree}/${file}")
      math(EXPR kib "${kib} + 1")
    else()
      file(SIZE "${tree}/${file}" bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
  file(WRITE "${tree}/DEBIAN/control" "${control}")

  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz -b "${tree}" "${deb}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()

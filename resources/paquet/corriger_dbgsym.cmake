# CPack step after the packages are built: CMake 3.25 writes the debugging-symbols package's
# md5sums with the paths of its own staging folder, which dpkg cannot check, and gives the package
# no documentation folder. Rebuilt here as Debian's own -dbgsym packages are: md5sums relative to
# the root, .debug files not executable, and the documentation a link to the main package's.
foreach(paquet IN LISTS CPACK_PACKAGE_FILES)
  if(NOT paquet MATCHES "\\.ddeb$")
    continue()
  endif()
  set(arbre "${paquet}.arbre")
  file(REMOVE_RECURSE "${arbre}")
  execute_process(COMMAND dpkg-deb -R "${paquet}" "${arbre}" COMMAND_ERROR_IS_FATAL ANY)

  file(STRINGS "${arbre}/DEBIAN/md5sums" lignes)
  set(md5sums "")
  foreach(ligne IN LISTS lignes)
    if(NOT ligne MATCHES "^([0-9a-f]+)  .*/(usr/lib/debug/.*)$")
      message(FATAL_ERROR "md5sums: unexpected line ${ligne}")
    endif()
    string(APPEND md5sums "${CMAKE_MATCH_1}  ${CMAKE_MATCH_2}\n")
    file(CHMOD "${arbre}/${CMAKE_MATCH_2}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endforeach()
  file(WRITE "${arbre}/DEBIAN/md5sums" "${md5sums}")

  file(MAKE_DIRECTORY "${arbre}/usr/share/doc")
  file(CREATE_LINK "${CPACK_PACKAGE_NAME}" "${arbre}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym"
       SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group -b "${arbre}" "${paquet}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${arbre}")
endforeach()

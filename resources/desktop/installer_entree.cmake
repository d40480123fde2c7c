# Install step: the desktop entry names the program by its installed absolute path, which only
# the install knows (the package's prefix, or the one given to cmake --install). A bare name
# would depend on the games folder being on the desktop's PATH, which root shells and most
# container images lack, and the desktop then ignores the entry.
set(programme "${CMAKE_INSTALL_PREFIX}/${OVANE_ENTREE_PROGRAMME}")
# Inside the quotes these four take a backslash; the value is then a desktop-entry string, where
# a backslash is written twice; a percent sign is doubled.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" programme "${programme}")
string(REPLACE "\\" "\\\\" programme "${programme}")
string(REPLACE "%" "%%" programme "${programme}")
set(OVANE_EXEC "\"${programme}\" %f")

include("${CMAKE_CURRENT_LIST_DIR}/../installer_configure.cmake")
ovane_installer_configure("${OVANE_ENTREE_SOURCE}"
                          "${CMAKE_INSTALL_PREFIX}/${OVANE_ENTREE_DESTINATION}")

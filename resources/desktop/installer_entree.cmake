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

# A folder of its own, so that installs running side by side do not share the written entry.
string(RANDOM LENGTH 16 hasard)
set(dossier "${OVANE_ENTREE_TEMPORAIRE}/entree-${hasard}")
get_filename_component(nom "${OVANE_ENTREE_SOURCE}" NAME_WLE)
configure_file("${OVANE_ENTREE_SOURCE}" "${dossier}/${nom}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${OVANE_ENTREE_DESTINATION}" TYPE FILE
     FILES "${dossier}/${nom}")
file(REMOVE_RECURSE "${dossier}")

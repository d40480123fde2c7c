# Install step: ovane-serveur's systemd unit names the server by its installed absolute path. Under
# the prefix /usr (the package's) it goes where Debian 12 puts a package's units, /lib/systemd;
# under another prefix, to its lib/systemd/system, where systemd also looks for /usr/local.
set(programme "${CMAKE_INSTALL_PREFIX}/${OVANE_UNITE_PROGRAMME}")
# Quoted on the unit's command line: a backslash and a quote take a backslash; a specifier's
# percent sign and a variable's dollar are doubled.
string(REGEX REPLACE "([\"\\\\])" "\\\\\\1" programme "${programme}")
string(REPLACE "%" "%%" programme "${programme}")
string(REPLACE "$" "$$" programme "${programme}")
set(OVANE_EXEC "\"${programme}\"")
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(destination /lib/systemd/system)
else()
  set(destination "${CMAKE_INSTALL_PREFIX}/lib/systemd/system")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../installer_configure.cmake")
ovane_installer_configure("${OVANE_UNITE_SOURCE}" "${destination}")

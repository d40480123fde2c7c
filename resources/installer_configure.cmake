# Install steps: a file that names something by its installed absolute path, which only the
# install knows (the package's prefix, or the one given to cmake --install), is configured then.
# ovane_installer_configure(SOURCE DESTINATION) writes SOURCE, configured with the variables in
# scope (@VAR@ only), into the absolute folder DESTINATION, under DESTDIR if set.
function(ovane_installer_configure source destination)
  # A folder of its own, so that installs running side by side do not share the written file.
  string(RANDOM LENGTH 16 hasard)
  set(dossier "${OVANE_CONFIGURE_TEMPORAIRE}/configure-${hasard}")
  get_filename_component(nom "${source}" NAME_WLE)
  configure_file("${source}" "${dossier}/${nom}" @ONLY)
  file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${dossier}/${nom}")
  file(REMOVE_RECURSE "${dossier}")
endfunction()

# Debian package of the installed layout: `cpack -G DEB` in the build folder, or
# `cmake --build build --target package`, makes notaro_<version>_<arch>.deb.
#
# The package installs under /usr, so the programs land in /usr/bin and look for their samples
# and help page in /usr/share/notaro; Glimmer goes to /usr/lib, where the programs' RPATH
# ($ORIGIN/../lib) and the default library path both find it. The desktop entry, the icon and the
# MIME type land in the folders that desktop-file-utils, hicolor-icon-theme and shared-mime-info
# watch with dpkg file triggers, so the package needs no maintainer scripts of its own (CPack adds
# only its ldconfig calls, for Glimmer in /usr/lib).

if(NOTARO_SANITIZE)
  message(STATUS "Packaging: this is a sanitized build; its package would depend on the "
                 "sanitizer run-time libraries and is meant for testing only")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME notaro)
set(CPACK_PACKAGE_VENDOR "Notaro developers")
set(CPACK_PACKAGE_CONTACT "Notaro developers <notaro@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "melody editor: write melodies as text, check, play and save them")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Notaro is a tool for writing melodies as plain text and hearing them. A score is typed in\n"
    "a small score language, checked (the faulty note is marked while you type), played from\n"
    "any note through a built-in General MIDI synthesizer or a MIDI port of the system, and\n"
    "saved as a Standard MIDI File or a WAV file.\n"
    "\n"
    "The package also holds notaro-cli, which checks, lists, plays and converts score files\n"
    "without a window, sample scores, the help page, and Glimmer, the Qt widget library whose\n"
    "controls the program uses.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Packaged programs carry no debugging information, which would make them many times larger.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link come from dpkg-shlibdeps. What they load at run time does not
# show there: the built-in synthesizer needs a General MIDI SoundFont (the banks it looks for
# first), and the editor's font is Liberation Mono.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Other programs may link Glimmer too: a shlibs entry lets their own packages depend on this one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont, fonts-liberation2")
# The staff view and the staff exports run the engraver; without it the rest works as before.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "abcm2ps")

include(CPack)

# The Debian package, built by `cpack -G DEB` from what Install.cmake puts in place.
set(CPACK_PACKAGE_NAME qolmex70)
set(CPACK_PACKAGE_VENDOR "Korvalex")
set(CPACK_PACKAGE_CONTACT "QOLMEX 70 programmer maintainers <maintainers@qolmex70.example>"
    CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer of the QOLMEX 70 GSM remote-control unit")
set(CPACK_PACKAGE_DESCRIPTION
    "The QOLMEX 70 is a GSM remote-control unit with two relay outputs and two
inputs. This program edits all of its settings in one Slovak window, keeps
them in .kvx files and writes them into the unit or reads them back over its
FT232R USB bridge. A udev rule gives the logged-in user access to the bridge.
A demo program with a virtual unit shows writing and reading without
hardware.")

set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries' packages are found from the binaries; the windows' Qt dialogs need the
# Slovak translation, which no binary links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET qolmex70 OR TARGET qolmex70-demo)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
endif()
set(CPACK_STRIP_FILES ON)
# A build folder made under a loose umask must not give the package group-writable folders.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)

# What `cmake --install` puts where, relative to the prefix (DESTDIR is honoured throughout):
# the programs, their menu entries, the icon, the AppStream data, the man pages and the udev
# rule that lets the logged-in user reach the unit's bridge. Only what was built is installed.
include(GNUInstallDirs)

set(QOLMEX_APP_ID sk.korvalex.qolmex70)
set(QOLMEX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# udev reads rules below every system prefix it knows (/usr/lib, /usr/local/lib), never /opt.
# Relative, so that it follows a prefix given only at install time; a STRING, since CMake would
# make a relative PATH given on the command line absolute.
set(QOLMEX_UDEV_RULES_DIR lib/udev/rules.d
    CACHE STRING "Folder of the udev rule that gives the logged-in user the FT232R bridge")

set(programs)
foreach(program qolmex70 qolmex70-demo qolmex70-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        list(APPEND programs ${program})
    endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

# The rest is for the desktops of Linux and its kin.
if(NOT UNIX OR APPLE OR NOT programs)
    return()
endif()

if(TARGET qolmex70)
    install(FILES ${QOLMEX_PACKAGING_DIR}/${QOLMEX_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${QOLMEX_PACKAGING_DIR}/${QOLMEX_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
if(TARGET qolmex70-demo)
    install(FILES ${QOLMEX_PACKAGING_DIR}/${QOLMEX_APP_ID}-demo.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
if(TARGET qolmex70 OR TARGET qolmex70-demo)
    set(icons ${QOLMEX_PACKAGING_DIR}/icons)
    set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${icons}/${QOLMEX_APP_ID}.svg DESTINATION ${hicolor}/scalable/apps)
    foreach(size 48 256)
        install(FILES ${icons}/${QOLMEX_APP_ID}-${size}.png
                DESTINATION ${hicolor}/${size}x${size}/apps RENAME ${QOLMEX_APP_ID}.png)
    endforeach()
endif()

install(FILES ${QOLMEX_PACKAGING_DIR}/60-qolmex70.rules DESTINATION ${QOLMEX_UDEV_RULES_DIR})

# Man pages and the changelog go compressed and without a time stamp, so that a rebuild gives
# the same bytes.
set(compressed changelog)
foreach(program ${programs})
    list(APPEND compressed man/${program}.1)
endforeach()
set(outputs)
foreach(source ${compressed})
    set(output ${PROJECT_BINARY_DIR}/packaging/${source}.gz)
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND gzip -9nc ${QOLMEX_PACKAGING_DIR}/${source} > ${output}
        DEPENDS ${QOLMEX_PACKAGING_DIR}/${source})
    list(APPEND outputs ${output})
    if(source MATCHES "^man/")
        install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
add_custom_target(qolmex_compressed_docs ALL DEPENDS ${outputs})
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${QOLMEX_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

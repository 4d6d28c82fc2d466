# Installed layout: executables in bin/, read-only data in share/velunar/, the desktop entry, icon,
# AppStream file and manual pages where desktops and man look for them. The program finds its data
# relative to its own folder. The Debian package (debian/) installs exactly this, nothing on its own.
include(GNUInstallDirs)
set(VELUNAR_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/velunar)

foreach(_exe velunar velunar-cli)
    if(TARGET ${_exe})
        install(TARGETS ${_exe} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

if(VELUNAR_DEFAULT_DB)
    install(FILES ${VELUNAR_DEFAULT_DB} DESTINATION ${VELUNAR_SHARE_DIR})
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/dist/ DESTINATION ${VELUNAR_SHARE_DIR} PATTERN ".keep" EXCLUDE)
install(FILES ${VELUNAR_QM_FILES} DESTINATION ${VELUNAR_SHARE_DIR}/translations)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.velunar.velunar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velunar.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.velunar.velunar.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/velunar.1 ${CMAKE_SOURCE_DIR}/docs/man/velunar-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

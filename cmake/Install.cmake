# Installed layout: executables in bin/, read-only data in share/velunar/, the desktop entry, icon and
# AppStream file where desktops look for them. The program finds its data relative to its own folder.
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
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velunar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velunar.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.velunar.Velunar.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME velunar)
set(CPACK_PACKAGE_VENDOR "Velunar")
set(CPACK_PACKAGE_CONTACT "Velunar developers <dev@velunar.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Acupoints opened by the classical time-based doctrines")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, gstreamer1.0-plugins-good, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# Installation and the Debian package.
include(GNUInstallDirs)

# Qt comes from the system's library folders: the installed program needs no run path.
set_target_properties(quorava PROPERTIES INSTALL_RPATH "")
install(TARGETS quorava RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/quorava.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/quorava.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
# The import dialog opens in the program's own folder, which is no place for sample data:
# the sample list goes with the documentation.
install(FILES ${PROJECT_SOURCE_DIR}/resources/sample_names.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorava)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorava")
set(CPACK_PACKAGE_CONTACT "Quorava developers <quorava@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random name picker for the classroom")
set(CPACK_PACKAGE_DESCRIPTION "系统随机选取一个人名或者编号。\n\
Quorava picks one name at random from an imported list of names and reveals it full screen, \
made to be shown to a class.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The xcb platform plugin and the JPEG and ICO image plugins that draw the pictures and the
# icon ship in libqt6gui6 on Debian 12; the names are shown in a CJK font.
set(quorava_font_depends "fonts-wqy-microhei | fonts-noto-cjk")
find_program(QUORAVA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUORAVA_DPKG_SHLIBDEPS)
    # Exact library versions from the built program.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${quorava_font_depends}")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), ${quorava_font_depends}")
endif()

include(CPack)

# Installed like any desktop game: the executables in PREFIX/games, what ships
# with them in PREFIX/share/quimbolo, the desktop entry, the icon and the
# AppStream description where desktops and software centres look for them.
install(TARGETS quimbolo RUNTIME DESTINATION ${QUIMBOLO_DESTINO_PROGRAMAS})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/quimbolo.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${QUIMBOLO_ID}.metainfo.xml DESTINATION share/metainfo)

# The entry names the program by its installed path, which is known only when
# installing (cmake --install --prefix, or the package's /usr): it is written
# then, into the build tree, and installed as a file like the others.
set(_entrada ${CMAKE_CURRENT_BINARY_DIR}/${QUIMBOLO_ID}.desktop)
install(CODE "
  file(READ \"${CMAKE_CURRENT_SOURCE_DIR}/quimbolo.desktop.in\" _texto)
  string(REPLACE \"@PROGRAMA@\" \"\${CMAKE_INSTALL_PREFIX}/${QUIMBOLO_DESTINO_PROGRAMAS}/quimbolo\" _texto \"\${_texto}\")
  file(WRITE \"${_entrada}\" \"\${_texto}\")
")
install(FILES ${_entrada} DESTINATION share/applications)

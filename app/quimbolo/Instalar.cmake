# The program folder once installed: PREFIX/share/Quimbolo holds the
# executables, MMEDIA, JGO and the help; the desktop entry points at it.
install(TARGETS quimbolo RUNTIME DESTINATION share/Quimbolo)
install(DIRECTORY DESTINATION share/Quimbolo/JGO)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/quimbolo.svg DESTINATION share/icons/hicolor/scalable/apps)
install(CODE [[
  set(_ejecutable "${CMAKE_INSTALL_PREFIX}/share/Quimbolo/quimbolo")
  file(WRITE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/quimbolo.desktop"
"[Desktop Entry]
Type=Application
Name=Quimbolo
GenericName=Dominó en parejas
Comment=Dominó de cuatro jugadores en dos parejas, contra la computadora o en red
Exec=\"${_ejecutable}\"
Path=${CMAKE_INSTALL_PREFIX}/share/Quimbolo
Icon=${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/quimbolo.svg
Terminal=false
Categories=Game;BoardGame;
")
  message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/quimbolo.desktop")
]])

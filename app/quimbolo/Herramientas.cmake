# The game window's tools (advice, tree window, progress bar, replay, undo,
# memory, scoreboard menu), compiled into the window library.
target_sources(quimbolo_ventanas PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Arbol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Consejo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrmPassW.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Herramientas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PicThink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Repeticion.cpp)

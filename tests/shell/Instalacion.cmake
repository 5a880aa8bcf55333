# Installs the build into a fresh prefix and checks the program folder, the
# desktop entry and the icon: what a person gets from the install step.
set(prefijo ${BINARIO}/prueba-instalacion)
file(REMOVE_RECURSE ${prefijo})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARIO} --prefix ${prefijo}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "la instalación falló (${rc})")
endif()
set(carpeta ${prefijo}/share/Quimbolo)
foreach(f quimbolo brintal quimbolo-cli Quimbolo.html MMEDIA/Mesa2d.JPG MMEDIA/Mesa3d.JPG MMEDIA/Ficha.wav
          ../applications/quimbolo.desktop ../icons/hicolor/scalable/apps/quimbolo.svg)
  if(NOT EXISTS ${carpeta}/${f})
    message(FATAL_ERROR "falta ${f}")
  endif()
endforeach()
if(NOT IS_DIRECTORY ${carpeta}/JGO)
  message(FATAL_ERROR "falta la carpeta JGO")
endif()
file(READ ${prefijo}/share/applications/quimbolo.desktop entrada)
if(NOT entrada MATCHES "Exec=\"${carpeta}/quimbolo\"")
  message(FATAL_ERROR "la entrada de escritorio no apunta al programa instalado:\n${entrada}")
endif()
file(REMOVE_RECURSE ${prefijo})

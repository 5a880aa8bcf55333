#!/usr/bin/env bash
# The include check (scripts/capas.sh): the source tree passes it, and a
# made-up tree shows that it refuses each kind of crossing and only those,
# so a check that had stopped looking could not pass here.
# Usage: PruebaCapas.sh <source folder>
set -euo pipefail
raiz="$1"
capas="$raiz/scripts/capas.sh"
bash "$capas" "$raiz"

arbol="$(mktemp -d)"
trap 'rm -rf "$arbol"' EXIT
# Appends an include line to a file of the made-up tree.
incluir() {
  mkdir -p "$arbol/$(dirname "$1")"
  printf '#include "%s"\n' "$2" >>"$arbol/$1"
}
# Allowed: a layer below, protocolo, and for tests any layer, app/, bench/,
# the support library and a helper of the test's own folder.
incluir ai/Elegir.cpp rules/Estado.h
incluir flujo/Juego.h records/RegistroMano.h
incluir server/Mesa.cpp protocolo/Protocolo.h
incluir tests/ai/PruebaUna.cpp tests/support/Posiciones.h
incluir tests/ai/PruebaUna.cpp app/quimbolo/frmDomino.h
incluir tests/ai/PruebaUna.cpp tests/ai/Ayuda.h
incluir tests/ai/PruebaUna.cpp bench/tablero/Escena.h
incluir tests/support/Mesas.h flujo/Juego.h
# Refused, one line each.
incluir rules/Estado.h ai/Elegir.h
incluir records/RegistroMano.h flujo/Juego.h
incluir net/Despachador.h view/Tablero.h
incluir flujo/Juego.cpp tests/support/Mesas.h
incluir tests/support/Mesas.h net/Despachador.h
incluir tests/view/PruebaOtra.cpp tests/net/Invariantes.h
incluir tests/view/PruebaOtra.cpp data/Algo.h
incluir server/Mesa.cpp flujo/Juego.h

estado=0
salida="$(bash "$capas" "$arbol")" || estado=$?
if [ "$estado" -ne 1 ]; then
  echo "capas.sh terminó con $estado sobre un árbol con cruces:"
  echo "$salida"
  exit 1
fi
vistos="$(grep -o '^[^ ]*:[0-9]*:' <<<"$salida" | sort)"
esperados="$(sort <<'FIN'
rules/Estado.h:1:
records/RegistroMano.h:1:
net/Despachador.h:1:
flujo/Juego.cpp:1:
tests/support/Mesas.h:2:
tests/view/PruebaOtra.cpp:1:
tests/view/PruebaOtra.cpp:2:
server/Mesa.cpp:2:
FIN
)"
if [ "$vistos" != "$esperados" ]; then
  echo "capas.sh señaló otras líneas que las que cruzan:"
  diff <(echo "$esperados") <(echo "$vistos") || true
  exit 1
fi
echo "capas.sh: el árbol pasa; las $(wc -l <<<"$esperados") líneas que cruzan se señalan, y solo ellas."

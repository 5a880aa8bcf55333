#!/usr/bin/env bash
# The layers of the game, lowest first, and what each may include:
#
#   rules  <-  ai  <-  records  <-  flujo  <-  net, view  <-  shell  <-  app/*
#   protocolo (the table's lines, Qt Core only) stands below rules; every
#   layer and server/ (brintal) may use it, and it uses none of them.
#
# A file may include its own layer and the layers below it, never one above
# or beside it. The link graph of the CMake targets says the same for
# symbols; this catches the header-only crossings the linker never sees.
# A test may include any layer, app/, server/ and bench/, but of tests/ only
# the support library and the helpers of its own folder; the support library
# (tests/support) includes what it links, the flow and below. app/, bench/ and
# data/ stand on top and are not checked.
#
# Usage: capas.sh [source folder]. Prints every crossing, exits 1 if any.
set -euo pipefail
raiz="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$raiz"

declare -A permite=(
  [protocolo]="protocolo"
  [rules]="rules protocolo"
  [ai]="ai rules protocolo"
  [records]="records ai rules protocolo"
  [flujo]="flujo records ai rules protocolo"
  [net]="net flujo records ai rules protocolo"
  [view]="view flujo records ai rules protocolo"
  [shell]="shell net view flujo records ai rules protocolo"
  [server]="server protocolo rules"
  [tests/support]="tests/support flujo records ai rules protocolo"
  [tests]="tests/support protocolo rules ai records flujo net view shell server app bench"
)

reglas=""
for capa in "${!permite[@]}"; do
  reglas+="$capa=${permite[$capa]};"
done

# Top folders only: tests/ holds tests/support.
carpetas=()
for capa in "${!permite[@]}"; do
  [ "${capa%%/*}" = "$capa" ] && [ -d "$capa" ] && carpetas+=("$capa")
done

# One pass over every include line: "file:line:text".
{ grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' --include='*.h' --include='*.cpp' \
    "${carpetas[@]}" || true; } |
  awk -v reglas="$reglas" '
    BEGIN {
      n = split(reglas, lista, ";")
      for (i = 1; i <= n; i++) {
        if (lista[i] == "") continue
        split(lista[i], par, "=")
        m = split(par[2], capas, " ")
        for (j = 1; j <= m; j++) puede[par[1] "," capas[j]] = 1
      }
    }
    {
      archivo = $0; sub(/:.*/, "", archivo)
      capa = archivo; sub(/\/.*/, "", capa)
      if (archivo ~ /^tests\/support\//) capa = "tests/support"
      texto = $0; sub(/^[^:]*:[^:]*:/, "", texto)
      destino = texto; sub(/^[^"]*"/, "", destino); sub(/".*/, "", destino)
      # Within tests/ the folder of the included file counts, not tests/.
      if (destino ~ /^tests\//) sub(/\/[^\/]*$/, "", destino)
      else sub(/\/.*/, "", destino)
      carpeta = archivo; sub(/\/[^\/]*$/, "", carpeta)
      propia = capa == "tests" && destino == carpeta
      if (!propia && !((capa "," destino) in puede)) {
        linea = $0; sub(/^[^:]*:/, "", linea); sub(/:.*/, "", linea)
        printf "%s:%s: %s no puede incluir %s/ (%s)\n", archivo, linea, capa, destino, texto
        fallos++
      }
    }
    END {
      if (fallos > 0) { printf "%d inclusiones cruzan las capas.\n", fallos; exit 1 }
      print "Capas: ninguna inclusión cruza hacia arriba."
    }'

# The flow reports what happened through its host's events; the lines for
# the table are composed above it (net/AnfitrionMesa), never in flujo/.
composicion=$(grep -rnE 'protocolo::(Linea[A-Za-z]*|Juntar)[[:space:]]*\(|using[[:space:]]+(namespace[[:space:]]+)?protocolo\b' \
  --include='*.h' --include='*.cpp' flujo || true)
if [ -n "$composicion" ]; then
  printf '%s\n' "$composicion"
  printf 'El flujo no compone las líneas de la mesa: las cuenta a su anfitrión.\n'
  exit 1
fi

# The hand flow is the one writer of the game state: nothing above it (net,
# view, shell, app) assigns a field of Estado, changes one through a call or
# ++/--, or holds a non-const reference to a seat, a seat record or the
# options; it calls flujo/Entradas.h or Juego. The board alone keeps its
# drawing attributes in the records it draws: a tile's position, heading and
# colours, and whether a closed hand is shown hidden (view/ only).
campos='Fichas|Jugadores|Sillas|Turno|NumTiro|NumMano|Ganador|Salidor|FaseMano|Modo|OrigenReparto|PasesSalida|TiroListo|FichaElegida|PuntaElegida|ManoTerminada|FinPartida|ResumenMano|TituloMesa|ParamNivel|NombreLocal|PuntosPar13|PuntosPar24|ValorIzq|ValorDer|Punta(Izq|Der)[XY]|Rumbo(Izq|Der)|Marca(Izq|Der)|Hist[A-Za-z]+|MeritoTurno|TiroRecibido|PuntaRecibida|MeritoRecibido|Pronosticos|Opciones|CarpetaApp|CarpetaDatos'
dueno='\b(E|e|estado|S\.E|J\.E)(\.|->)'
arriba=()
for capa in net view shell app; do
  [ -d "$capa" ] && arriba+=("$capa")
done
# grep -r with no folder would search the working folder instead.
[ ${#arriba[@]} -gt 0 ] || { echo "Estado: nada por encima del flujo."; exit 0; }
escrituras=$(
  {
    grep -rnE "$dueno($campos)\b[^=;]*[^=!<>]=[^=]" --include='*.h' --include='*.cpp' "${arriba[@]}" |
      grep -vE '^view/[^:]+:[0-9]+:\s*[A-Za-z_.>-]*(Fichas\[[^]]*\]\.(X|Y|Rumbo|Color1|Color2)|Jugadores\[[^]]*\]\.Oculta)\s*=' || true
    grep -rnE "$dueno($campos)\b[^;]*\.(clear|fill|Poner|append|push_back|resize|swap|remove|replace)\(|$dueno($campos)\b[^;=]*(\+\+|--)|(\+\+|--)\s*$dueno($campos)" \
      --include='*.h' --include='*.cpp' "${arriba[@]}" || true
    grep -rnE '^\s*(Jugador|EstadoSilla|OpcionesJuego|Estado)\s*&\s*\w+\s*=' --include='*.h' --include='*.cpp' "${arriba[@]}" || true
    grep -rnE '^\s*Ficha\s*&\s*\w+\s*=' --include='*.h' --include='*.cpp' "${arriba[@]}" | grep -v '^view/' || true
  } | sort -u
)
if [ -n "$escrituras" ]; then
  printf '%s\n' "$escrituras"
  printf 'Estas líneas escriben el estado del juego por encima del flujo.\n'
  exit 1
fi
echo "Estado: solo el flujo lo escribe."

#!/usr/bin/env bash
# Soak of table play: N partidas between two copies of `quimbolo-cli mesa`,
# each reaching its own brintal through proxy_caos, which cuts every stream
# at random byte boundaries and holds each piece back a random time (up to
# --retraso-max ms). Every K-th partida also kills brintal or one copy at a
# random moment between half a second and --matar-hasta seconds (default 20). Everything random comes from the seed of the partida
# (--semilla + its number), printed on its line.
#
# Usage: soak.sh [--build DIR] [--partidas N] [--paralelo P] [--semilla S]
#                [--puntos P] [--nivel P|I|A|U] [--matar K] [--matar-hasta SEG] [--limite SEG]
#                [--retraso-max MS] [--silencio SEG] [--guardar DIR]
#
# For each partida: the copy holding B's seats joins first, and once brintal
# has given them the other copy takes its seats and starts (--iniciar), at
# --ritmo 0, each with its own --carpeta; --silencio (default 20 s) is how
# long a copy waits on a silent table or a seat nobody takes before it gives
# up with exit 3, so that a kill ends a partida sooner than the copies'
# default. A partida is judged:
#   acuerdo     both copies ended it (exit 0) with the same output (points
#               of every hand, totals, scoreboard with the merits) and the
#               same JGO/Anterior.Jgo;
#   desacuerdo  both ended it but something differs;
#   colgada     a copy was still running at --limite seconds;
#   fallo       an exit status that the partida does not allow: without a
#               kill both must exit 0; after a kill a copy still running
#               must end with 0 (it had finished) or 3 (it lost the table).
# Exit status 0 when no partida is colgada, desacuerdo or fallo; 1 otherwise;
# 2 for a bad command line or missing programs. Failed partidas keep their
# folder (logs of brintal, proxy and both copies) under --guardar or a
# temporary folder that is named at the end.
set -uo pipefail

build=build
partidas=20
paralelo=4
semilla=1
puntos=100
nivel=P
matar=0
matarHasta=20
limite=300
retraso=200
silencio=20
guardar=
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || { echo "soak.sh: a $1 le falta su valor" >&2; exit 2; }
  case "$1" in
    --build) build=$2 ;;
    --partidas) partidas=$2 ;;
    --paralelo) paralelo=$2 ;;
    --semilla) semilla=$2 ;;
    --puntos) puntos=$2 ;;
    --nivel) nivel=$2 ;;
    --matar) matar=$2 ;;
    --matar-hasta) matarHasta=$2 ;;
    --limite) limite=$2 ;;
    --retraso-max) retraso=$2 ;;
    --silencio) silencio=$2 ;;
    --guardar) guardar=$2 ;;
    *) echo "soak.sh: no conozco $1" >&2; exit 2 ;;
  esac
  shift 2
done
for n in "$partidas" "$paralelo" "$semilla" "$puntos" "$matar" "$matarHasta" "$limite" "$retraso" "$silencio"; do
  [[ "$n" =~ ^[0-9]+$ ]] || { echo "soak.sh: «$n» no es un número" >&2; exit 2; }
done
[ "$paralelo" -ge 1 ] || paralelo=1
[ "$matarHasta" -ge 1 ] || matarHasta=1

brintal="$build/Quimbolo/brintal"
cli="$build/Quimbolo/quimbolo-cli"
proxy="$build/bench/proxy_caos"
for p in "$brintal" "$cli" "$proxy"; do
  [ -x "$p" ] || { echo "soak.sh: falta $p (¿está construido?)" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/soak-mesa.XXXXXX")
conservar=0
trap '[ "$conservar" = 1 ] || rm -rf "$tmp"' EXIT

# The first line a program prints on standard output is its port.
leer_puerto() {  # file pid
  local p=
  for _ in $(seq 100); do
    read -r p 2>/dev/null <"$1" || true  # the program may not have opened it yet
    [ -n "$p" ] && { echo "$p"; return 0; }
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# One partida in its folder; its verdict goes to $d/resultado.
partida() {
  local i=$1 s=$((semilla + i))
  local d="$tmp/p$i"
  mkdir -p "$d/a" "$d/b"
  RANDOM=$s
  local sa sb
  case $((RANDOM % 4)) in
    0) sa=1 sb=3 ;;
    1) sa=1 sb=2,4 ;;
    2) sa=1,3 sb=2 ;;
    *) sa=4 sb=1,2 ;;
  esac
  local victima=- momento=0
  if [ "$matar" -gt 0 ] && [ $((i % matar)) -eq 0 ]; then
    case $((RANDOM % 3)) in 0) victima=brintal ;; 1) victima=A ;; *) victima=B ;; esac
    momento=$((RANDOM % (matarHasta * 10 - 4) + 5))  # tenths of a second
  fi
  local cabeza="partida $i semilla $s A=$sa B=$sb matar=$victima"
  [ "$victima" = - ] || cabeza+="@$((momento / 10)).$((momento % 10))s"

  "$brintal" --sin-ventana --puerto 0 --opcion "Puntos=$puntos" --opcion "Nivel=$nivel" \
    >"$d/brintal.puerto" 2>"$d/brintal.log" &
  local pbr=$!
  local pbrintal pproxy
  if ! pbrintal=$(leer_puerto "$d/brintal.puerto" "$pbr"); then
    kill -9 "$pbr" 2>/dev/null; wait "$pbr" 2>/dev/null
    echo "$cabeza: fallo (brintal no dijo su puerto)" >"$d/resultado"
    return
  fi
  "$proxy" --destino "$pbrintal" --semilla "$s" --retraso-max "$retraso" >"$d/proxy.puerto" 2>"$d/proxy.log" &
  local ppx=$!
  if ! pproxy=$(leer_puerto "$d/proxy.puerto" "$ppx"); then
    kill -9 "$pbr" "$ppx" 2>/dev/null; wait "$pbr" "$ppx" 2>/dev/null
    echo "$cabeza: fallo (el proxy no dijo su puerto)" >"$d/resultado"
    return
  fi
  local direccion="127.0.0.1:$pproxy"

  "$cli" mesa --nombre Beto --sillas "$sb" --direccion "$direccion" --ritmo 0 --silencio "$silencio" --carpeta "$d/b" \
    >"$d/b.out" 2>"$d/b.err" &
  local pb=$!
  # B's seats must be the table's before A starts, or A would give them to
  # its computer; A, joining later, is told of them before its own seats.
  local silla listo=1
  for silla in ${sb//,/ }; do
    listo=0
    for _ in $(seq 300); do
      grep -q "Silla $silla: Beto" "$d/brintal.log" && { listo=1; break; }
      kill -0 "$pb" 2>/dev/null || break
      sleep 0.1
    done
    [ "$listo" = 1 ] || break
  done
  local pa=
  if [ "$listo" = 1 ]; then
    "$cli" mesa --nombre Ana --sillas "$sa" --iniciar --direccion "$direccion" --ritmo 0 --silencio "$silencio" \
      --carpeta "$d/a" \
      >"$d/a.out" 2>"$d/a.err" &
    pa=$!
  fi

  # Wait for both copies, bounded; kill the victim at its moment.
  local decimas=0 colgada=0 matada=0
  while kill -0 "$pb" 2>/dev/null || { [ -n "$pa" ] && kill -0 "$pa" 2>/dev/null; }; do
    if [ "$decimas" -ge $((limite * 10)) ]; then
      colgada=1
      break
    fi
    if [ "$victima" != - ] && [ "$matada" = 0 ] && [ "$decimas" -ge "$momento" ]; then
      case "$victima" in
        brintal) kill -9 "$pbr" 2>/dev/null ;;
        A) [ -n "$pa" ] && kill -9 "$pa" 2>/dev/null ;;
        B) kill -9 "$pb" 2>/dev/null ;;
      esac
      matada=1
    fi
    sleep 0.1
    decimas=$((decimas + 1))
  done
  [ "$colgada" = 1 ] && kill -9 "$pb" ${pa:+"$pa"} 2>/dev/null
  # (bash would say "Killed" for each copy killed here; the status says it.)
  local ea=- eb
  wait "$pb" 2>/dev/null; eb=$?
  if [ -n "$pa" ]; then wait "$pa" 2>/dev/null; ea=$?; fi
  kill -9 "$pbr" "$ppx" 2>/dev/null
  wait "$pbr" "$ppx" 2>/dev/null

  local juicio
  local salidas="salida A=$ea B=$eb"
  if [ "$colgada" = 1 ]; then
    juicio="colgada"
  elif [ -z "$pa" ]; then
    juicio="fallo (brintal no dio a B sus sillas)"
  else
    # What each copy may end with: a copy we killed is not judged.
    local bien=1 quien e
    for quien in A B; do
      e=$([ "$quien" = A ] && echo "$ea" || echo "$eb")
      if [ "$victima" = - ]; then
        [ "$e" = 0 ] || bien=0
      elif [ "$victima" = "$quien" ] && [ "$e" = 137 ]; then
        :
      else
        [ "$e" = 0 ] || [ "$e" = 3 ] || bien=0
      fi
    done
    if [ "$bien" = 0 ]; then
      juicio="fallo"
    elif [ "$ea" = 0 ] && [ "$eb" = 0 ]; then
      if ! cmp -s "$d/a.out" "$d/b.out"; then
        juicio="desacuerdo (salida)"
      elif ! cmp -s "$d/a/JGO/Anterior.Jgo" "$d/b/JGO/Anterior.Jgo"; then
        juicio="desacuerdo (Anterior.Jgo)"
      else
        juicio="acuerdo (manos: $(sed -E 's/.*"manos":([0-9]+).*/\1/' "$d/a.out"))"
      fi
    else
      juicio="interrumpida"
    fi
  fi
  local linea="$cabeza $salidas en $((decimas / 10)).$((decimas % 10))s: $juicio"
  case "$juicio" in
    acuerdo* | interrumpida) rm -rf "$d" && mkdir -p "$d" ;;
  esac
  echo "$linea" >"$d/resultado"
}

echo "soak: $partidas partidas, $paralelo a la vez, semillas $((semilla + 1))..$((semilla + partidas)), Puntos=$puntos" \
  "Nivel=$nivel, retraso hasta $retraso ms, matar cada $matar, silencio $silencio s, límite $limite s"
for i in $(seq 1 "$partidas"); do
  while [ "$(jobs -rp | wc -l)" -ge "$paralelo" ]; do wait -n; done
  # bash reports each copy it saw killed; that goes to a file of its own.
  partida "$i" 2>"$tmp/p$i.sh" &
done
wait

jugadas=0 acuerdos=0 desacuerdos=0 colgadas=0 fallos=0 interrumpidas=0
for i in $(seq 1 "$partidas"); do
  r=$(cat "$tmp/p$i/resultado" 2>/dev/null || echo "partida $i: fallo (sin resultado)")
  echo "$r"
  case "$r" in
    *": acuerdo"*) jugadas=$((jugadas + 1)); acuerdos=$((acuerdos + 1)) ;;
    *": desacuerdo"*) jugadas=$((jugadas + 1)); desacuerdos=$((desacuerdos + 1)) ;;
    *": colgada"*) colgadas=$((colgadas + 1)) ;;
    *": interrumpida"*) interrumpidas=$((interrumpidas + 1)) ;;
    *) fallos=$((fallos + 1)) ;;
  esac
  case "$r" in
    *": acuerdo"* | *": interrumpida"*) ;;
    *)
      conservar=1
      for c in a b; do
        [ -s "$tmp/p$i/$c.err" ] && sed "s/^/    $c.err: /" <(tail -n 3 "$tmp/p$i/$c.err")
      done
      ;;
  esac
done
cat "$tmp"/p*.sh 2>/dev/null | grep -v ' Killed ' | sed 's/^/soak: /'
echo "resumen: $jugadas partidas jugadas, $acuerdos de acuerdo, $desacuerdos en desacuerdo," \
  "$colgadas colgadas, $fallos con salida indebida, $interrumpidas interrumpidas por una muerte"
if [ "$conservar" = 1 ]; then
  if [ -n "$guardar" ]; then
    mkdir -p "$guardar" && cp -r "$tmp"/. "$guardar"/ && conservar=0 && echo "registros de las fallidas en $guardar"
  else
    echo "registros de las fallidas en $tmp"
  fi
fi
[ $((desacuerdos + colgadas + fallos)) -eq 0 ]

#!/usr/bin/env bash
# Time of whole partidas across two copies over loopback (a measurement, not
# a test): brintal, a copy holding seat 2, then a copy holding seats 1 and 3
# that starts the partida (seat 4 to the computer), at --ritmo 0.
# Usage: medir_partida.sh [build folder] [points target] [level] [runs]
set -euo pipefail
build="${1:-build}"
puntos="${2:-100}"
nivel="${3:-I}"
vueltas="${4:-5}"
bin="$(cd "$build/Quimbolo" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
for i in $(seq 1 "$vueltas"); do
  # brintal chooses a free port and prints it as its first line.
  : >"$tmp/puerto"
  "$bin/brintal" --sin-ventana --puerto 0 --opcion "Puntos=$puntos" --opcion "Nivel=$nivel" >"$tmp/puerto" 2>/dev/null &
  bp=$!
  rm -rf "$tmp/a" "$tmp/b"; mkdir -p "$tmp/a" "$tmp/b"
  puerto=
  for _ in $(seq 100); do
    read -r puerto <"$tmp/puerto" || true
    [ -n "$puerto" ] && break
    sleep 0.1
  done
  [ -n "$puerto" ] || { echo "brintal no dijo su puerto" >&2; exit 1; }
  "$bin/quimbolo-cli" mesa --nombre Beto --sillas 2 --direccion "127.0.0.1:$puerto" --carpeta "$tmp/b" >"$tmp/b/out" &
  pb=$!
  sleep 0.5
  inicio=$(date +%s.%N)
  "$bin/quimbolo-cli" mesa --nombre Ana --sillas 1,3 --iniciar --direccion "127.0.0.1:$puerto" --carpeta "$tmp/a" >"$tmp/a/out"
  wait "$pb"
  fin=$(date +%s.%N)
  kill "$bp" 2>/dev/null || true
  manos=$(sed -E 's/.*"manos":([0-9]+).*/\1/' "$tmp/a/out")
  cmp -s "$tmp/a/JGO/Anterior.Jgo" "$tmp/b/JGO/Anterior.Jgo" && igual=si || igual=NO
  printf 'vuelta %d: %d manos, %.3f s, registros iguales: %s\n' "$i" "$manos" "$(echo "$fin - $inicio" | bc)" "$igual"
done

#!/usr/bin/env bash
# Installs what is missing, builds, installs the program folder under
# ~/.local/share/Quimbolo (with its desktop entry) and starts the game, which
# starts its own table server for play on one computer.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja
cmake --build "$raiz/build" -j "$(nproc)"
destino="${QUIMBOLO_DESTINO:-$HOME/.local}"
cmake --install "$raiz/build" --prefix "$destino" >/dev/null
exec "$destino/share/Quimbolo/quimbolo"

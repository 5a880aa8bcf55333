#!/usr/bin/env bash
# Installs what is missing, builds, installs under ~/.local (the executables
# in games/, what ships in share/quimbolo, the desktop entry and the icon) and
# starts the game, which starts its own table server for play on one computer.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja
cmake --build "$raiz/build" -j "$(nproc)"
destino="${QUIMBOLO_DESTINO:-$HOME/.local}"
cmake --install "$raiz/build" --prefix "$destino" >/dev/null
exec "$destino/games/quimbolo"

#!/usr/bin/env python3
"""Writes the fixed hand records of the analysis benchmark: seeded deals,
played to the end by a simple player (first tile in slot order that fits,
right end first), so that every record is a complete legal hand."""
import random
import sys
from pathlib import Path

FICHAS = [(6, 6), (5, 5), (4, 4), (3, 3), (2, 2), (1, 1), (0, 0),
          (5, 6), (4, 6), (3, 6), (4, 5), (2, 6), (3, 5), (1, 6),
          (2, 5), (3, 4), (0, 6), (1, 5), (2, 4), (0, 5), (1, 4),
          (2, 3), (0, 4), (1, 3), (0, 3), (1, 2), (0, 2), (0, 1)]


def texto(t):
    return "%d-%d" % FICHAS[t]


def jugar(manos, salidor):
    en_mano = [list(m) for m in manos]
    turno, izq, der, tiros, pases = salidor, None, None, [], 0
    while True:
        mano = en_mano[turno - 1]
        jugada = None
        for t in mano:
            a, b = FICHAS[t]
            if izq is None:
                jugada = (t, "DER")
            elif der in (a, b):
                jugada = (t, "DER")
            elif izq in (a, b):
                jugada = (t, "IZQ")
            if jugada:
                break
        if jugada is None:
            pases += 1
            if pases == 4:
                return tiros
        else:
            pases = 0
            t, lado = jugada
            a, b = FICHAS[t]
            if izq is None:
                izq, der = a, b
            elif lado == "DER":
                der = b if der == a else a
            else:
                izq = b if izq == a else a
            mano.remove(t)
            tiros.append(jugada)
            if not mano:
                return tiros
        turno = turno % 4 + 1


def main():
    destino = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data"
    destino.mkdir(parents=True, exist_ok=True)
    for semilla in range(1, 7):
        azar = random.Random(semilla)
        fichas = list(range(28))
        azar.shuffle(fichas)
        manos = [fichas[i * 7:(i + 1) * 7] for i in range(4)]
        salidor = azar.randint(1, 4)
        # The leader's first tile in slot order is the lead.
        tiros = jugar(manos, salidor)
        lineas = []
        for s in range(4):
            lineas.append('"Compu %d"' % (s + 1))
            lineas.append(", ".join(texto(t) for t in manos[s]))
        lineas.append(" %d " % len(tiros))
        lineas += ["%s, %s" % (texto(t), lado) for t, lado in tiros]
        (destino / ("mano%d.jgo" % semilla)).write_bytes(("\r\n".join(lineas) + "\r\n").encode())


main()

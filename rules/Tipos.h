#pragma once
// The closed sets of the game state: the phase of a hand, whether it is
// played live or replayed, the end of the line a tile goes to, and who plays
// a seat from where. Inside the game they are only these values, so a typo
// does not compile; their texts and letters appear only where text is read
// or written (table lines, hand records, captions, printed output), through
// the Texto/Letra and Leer pair of each.

#include <QString>
#include <QStringView>
#include <optional>

enum class Fase { Repartiendo, Saliendo, Tirando };
enum class ModoJuego { Escoger, Lectura };  // live choices; a stored hand replayed
// Izq and Der are the ends of the line; Ninguno, no end chosen or received;
// Nula, a lead declined to the partner (it travels as "NUL").
enum class Extremo { Ninguno, Izq, Der, Nula };
enum class Quien { Persona, Computadora };  // 'H', 'C'
enum class Donde { Local, Remota };         // 'L' this machine, 'R' another one

QString TextoFase(Fase f);                  // "REPARTIENDO", "SALIENDO", "TIRANDO"
std::optional<Fase> LeerFase(QStringView texto);

QString TextoModo(ModoJuego m);             // "ESCOGER", "LECTURA"
std::optional<ModoJuego> LeerModo(QStringView texto);

QString TextoExtremo(Extremo x);            // "", "IZQ", "DER", "NUL"
// "IZQ", "DER" or "NUL"; nothing for any other text, the empty one included.
std::optional<Extremo> LeerExtremo(QStringView texto);

char LetraQuien(Quien q);
std::optional<Quien> LeerQuien(char letra);

char LetraDonde(Donde d);
std::optional<Donde> LeerDonde(char letra);

// The end a tile goes to when `derecha` is the right one.
constexpr Extremo ExtremoDe(bool derecha) { return derecha ? Extremo::Der : Extremo::Izq; }

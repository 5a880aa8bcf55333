#pragma once
// Waits that keep the window alive. Every wait of the program runs a nested
// event loop, so pointer, timers and received lines go on being served while a
// hand procedure waits. Once the game window closes, AvisarCierre ends every
// running wait at once and makes later ones return immediately, so the hand
// procedures find Cerrando() true and unwind.

// Waits this long with the events served; returns at once for <= 0 or while
// the program is closing.
void Pausa(double segundos);

// One pass of the event loop.
void Ceder();

// True once the program has started to close.
bool Cerrando();

// Ends every running wait; later waits return at once. The window that closes
// the program then leaves every event loop (QCoreApplication::exit).
void AvisarCierre();

// Only for tests that close and reopen windows in one process.
void ReiniciarCierre();

#pragma once
// Number patterns and column helpers of the game's texts. Every pattern
// rounds half away from zero and is computed from exact integers where the
// value is a ratio, so the same position always gives the same text.
// Decimal point ".", thousands separator ",".

#include <QString>
#include <cstdint>
#include <optional>

// "#,###": 11297 -> "11,297", 0 -> "".
QString FormatoMiles(std::int64_t n);
// "##0.0%" of num/den (den > 0): 5/16 -> "31.3%", 1/16 -> "6.3%".
QString FormatoPorciento(std::int64_t num, std::int64_t den);
// " 0.00" of num/den for a non-negative ratio: 1/8 -> " 0.13", 3/1 -> " 3.00".
QString FormatoMeritoPositivo(std::int64_t num, std::int64_t den);
// "0.00" of -(num/den): 1/3 -> "-0.33".
QString FormatoMeritoNegativo(std::int64_t num, std::int64_t den);
// " 0.00;-0.00" of a value held in hundredths: -50 -> "-0.50", 267 -> " 2.67".
QString FormatoCentesimas(std::int64_t centesimas);
// A merit text read back as hundredths (protocolo::LeerMerito); 0 when
// empty or not a merit.
std::int64_t CentesimasDe(const QString& texto);
// "#,##0.0 secs." of a duration in seconds.
QString FormatoSegundos(double segundos);

// Centre text in w characters (cut to w when it does not fit).
QString Centrar(const QString& texto, int w);
// The last w characters of w blanks followed by the text.
QString AlinearDerecha(const QString& texto, int w);
// The first n characters (not bytes) of a text.
QString Primeros(const QString& texto, int n);

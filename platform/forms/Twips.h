#pragma once
// Positions and sizes of windows and controls are twips held as
// single-precision numbers; the widgets underneath work in pixels.
#include <QString>

namespace forms {

// Twips per pixel of the screen (15 at 96 dots per inch), from the host.
double TwipsPerPixel();

// The pixel that a twips value falls on: round(twips / twips per pixel).
int TwipsToPixels(double twips);
float PixelsToTwips(int pixels);

// A double stored as a Single: run-time error 6 (Overflow) when it is too
// large for one.
float ToSingle(double value);

// A caption with access keys ("&Name", "&&") as plain text: every single
// "&" is dropped, "&&" becomes "&".
QString StripAccessKeys(const QString& caption);

// Text with CR LF line breaks as a widget shows it (line feeds only).
QString ToDisplayLineBreaks(const QString& text);

}  // namespace forms

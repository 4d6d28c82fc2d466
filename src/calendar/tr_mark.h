#pragma once
// Marks a text of the core's own tables (a label, a heading, a step of a derivation) as one the program shows
// in the user's language. The core stays in Chinese and returns the text as it is; the edge (the windows, the
// command line) looks the text up in the catalogue under `context`, where the translation tools find it by
// this mark.
#define VELUNAR_TR(context, text) text

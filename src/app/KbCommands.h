#pragma once
// quillon-tool kb: the knowledge base without a screen, through the same
// code as the maintenance windows.
//
//   kb import CARTELLA   the authored sources (Rimedi.txt, Repertorio.txt,
//                        Piante.txt, ElePiante.txt, Principi.txt) into
//                        OpzioneH\ and OpzioneS\ of the program folder
//   kb rebuild           "Ricostruisci File" of both editors: the support
//                        archives of OpzioneH\ from DBmain.rnd and Repertorio.rnd
//
// Each prints one line per file written with its number of entries; the
// import's warnings go to stderr.
#include <string>
#include <vector>

int RunKbCommand(const std::vector<std::string>& args);

extern const char* const kKbUsage;

#pragma once
// quillon-tool kb: the knowledge base without a screen, through the same
// code as the maintenance windows.
//
//   kb import CARTELLA   the authored sources (Rimedi.txt, Repertorio.txt,
//                        Piante.txt, ElePiante.txt, Principi.txt) into
//                        OpzioneH\ and OpzioneS\ of the program folder
//   kb rebuild           "Ricostruisci File" of both editors: the support
//                        archives of OpzioneH\ from DBmain.rnd and Repertorio.rnd
//   kb symptom TESTO     what the symptom window shows for that symptom
//   kb remedy NOME       what the remedy window shows for that remedy
//
// import and rebuild print one line per file written with its number of
// entries; the import's warnings go to stderr. symptom and remedy print,
// tab-separated, the heading boxes, then every page: "Pagina" with the page
// indicator and one line per row (name, planets, signs, fourth box).
#include <string>
#include <vector>

int RunKbCommand(const std::vector<std::string>& args);

extern const char* const kKbUsage;

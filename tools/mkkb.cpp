// Writes the starter knowledge base into the program folder template: the
// authored sources of data/kb/ imported and the support archives rebuilt,
// by the same code as quillon-tool kb import and kb rebuild.
// Usage: mkkb KB_SOURCE_DIR OUTPUT_DIR
#include "kb/KbImport.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Uso: mkkb CARTELLA_SORGENTI CARTELLA_PROGRAMMA\n");
        return 2;
    }
    try {
        const std::filesystem::path sources = std::filesystem::absolute(argv[1]);
        std::filesystem::create_directories(argv[2]);
        ProgramPath::SetRoot(std::filesystem::absolute(argv[2]));
        for (const std::string& w : ImportKb(sources))
            std::fprintf(stderr, "mkkb: avviso: %s\n", Cp1252::ToUtf8(w).c_str());
        RebuildKb();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkkb: %s\n", Cp1252::ToUtf8(ErrorMessageFor(e)).c_str());
        return 1;
    }
    return 0;
}

#include "support/TempFolder.h"

#include "platform/ProgramPath.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string templ = (fs::temp_directory_path() / "quillon-test-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = templ;
    ProgramPath::SetRoot(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempFolder::Put(std::string_view name, std::string_view bytes) const
{
    const fs::path p = path_ / std::string(name);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::Get(std::string_view name) const
{
    std::ifstream in(path_ / std::string(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TempFolder::Has(std::string_view name) const
{
    return fs::exists(path_ / std::string(name));
}

void TempFolder::CopyTemplate() const
{
    const char* t = std::getenv("QUILLON_TEMPLATE");
    if (!t)
        throw std::runtime_error("QUILLON_TEMPLATE not set");
    fs::copy(t, path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

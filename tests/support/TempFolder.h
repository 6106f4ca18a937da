#pragma once
// A temporary program folder for a test: created empty (or as a copy of the
// built template), made the program root, removed at the end.
#include <filesystem>
#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes bytes to a file under the folder (folders created as needed).
    void Put(std::string_view name, std::string_view bytes) const;
    std::string Get(std::string_view name) const;
    bool Has(std::string_view name) const;
    // Copies the built program folder template (QUILLON_TEMPLATE) in.
    void CopyTemplate() const;

private:
    std::filesystem::path path_;
};

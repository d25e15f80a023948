#pragma once

#include <string>

namespace corvellan::test
{

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    // path + "/" + relative
    std::string Join(const std::string& relative) const;

private:
    std::string path;
};

} // namespace corvellan::test

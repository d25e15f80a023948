#pragma once

#include <string>

namespace corvellan::test
{

// A fresh folder <prefix>-XXXXXX under the system's temporary folder
// ($TMPDIR, else /tmp), removed with everything in it.
class TempFolder
{
public:
    explicit TempFolder(const std::string& prefix = "corvellan-test");
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

#pragma once

#include <map>
#include <string>

namespace corvellan::content
{

// A fresh staging folder under the system's temporary folder ($TMPDIR, else
// /tmp), so that nothing half-made lies beside the program; removed with
// everything in it.
class DataStaging
{
public:
    DataStaging();
    ~DataStaging();
    DataStaging(const DataStaging&) = delete;
    DataStaging& operator=(const DataStaging&) = delete;

    const std::string& Path() const { return path; }
    // Where the data name (such as "data\ui\fonts\en.ini") is staged.
    std::string PathOf(const std::string& dataName) const;
    // Writes the bytes as the staged file of the data name; throws
    // std::runtime_error naming it when it cannot, or when a name the same
    // once normalized was staged before: the file layer finds folders and
    // files without regard to case, so the second would silently replace
    // the first.
    void Write(const std::string& dataName, const std::string& bytes);

    // Refuses, naming the file, what the pack could not hold as staged: a
    // name with upper case (the pack lower-cases every name, so two files
    // that differ only in case would become duplicates the reader never
    // reaches), two names the same once normalized, a name over 255 bytes.
    void CheckNames() const;

private:
    std::string path;
    // Normalized pack name to the data name staged under it.
    std::map<std::string, std::string> staged;
};

} // namespace corvellan::content

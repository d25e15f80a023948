#pragma once

#include <cstdio>
#include <string>

namespace win32
{

// A file that replaces its target whole or not at all. The bytes go to
// "<target>.tmp" in the target's folder (so the final rename stays on one
// file system); Commit moves that over the target only once every byte is
// on the disk. A leftover from a crash is simply overwritten next time.
class AtomicFile
{
public:
    // Opens the temporary file for writing; IsOpen tells whether it worked.
    explicit AtomicFile(const std::string& target);
    // Discards what was not committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    static std::string TemporaryName(const std::string& target);

    bool IsOpen() const { return stream != nullptr; }
    // The stream to write the contents to, for the file's whole life.
    std::FILE* GetStream() const { return stream; }

    // Flushes, syncs, closes and renames over the target. On any failure the
    // temporary file is removed, the target keeps its old contents and the
    // result is false.
    bool Commit();
    // Closes and removes the temporary file; the target is untouched.
    void Discard();

private:
    std::string target;
    std::string temporary;
    std::FILE* stream = nullptr;
};

} // namespace win32

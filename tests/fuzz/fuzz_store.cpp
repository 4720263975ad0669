#include "tests/fuzz/fuzz_store.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

// Made once per process and removed at its end; every input overwrites its
// one file there.
struct FuzzFolder
{
    InstallDirectory directory;

    FuzzFolder() : directory(MakeRoot()) {}
    ~FuzzFolder() { std::filesystem::remove_all(directory.Root()); }

    static std::string MakeRoot()
    {
        std::string root =
            (std::filesystem::temp_directory_path() / "corvane-fuzz-XXXXXX").string();
        if (!mkdtemp(root.data()))
            std::abort();
        return root;
    }
};

} // namespace

flows::LoadedStore LoadWith(const char* fileName, const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    const InstallDirectory& directory = folder.directory;
    // A plain write, not the store's own: the reader must take whatever
    // bytes another program or a damaged disk left.
    // A new file each time rather than a truncated one, which the file
    // system may flush to disk on close and slow every run down.
    const std::string path = directory.PathOf(fileName);
    std::remove(path.c_str());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    return flows::LoadStore(directory);
}

void Expect(bool holds, const char* what)
{
    if (!holds)
    {
        std::fprintf(stderr, "expectation failed: %s\n", what);
        std::abort();
    }
}
